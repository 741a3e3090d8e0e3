#!/usr/bin/env bash
# Builds and starts Quillon. Without a USB reader it uses the virtual demo card.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLON_BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"

export QUILLON_HOME=${QUILLON_HOME:-$HOME/.local/share/Quillon}
mkdir -p "$QUILLON_HOME"

# Without a card reader the program uses the virtual demo card; it gets its own copy so that
# changes written to the card last from one run to the next.
if [ -z "${QUILLON_VIRTUAL_CARD+set}" ]; then  # set but empty: no virtual card
  if [ ! -f "$QUILLON_HOME/demo.card" ]; then
    cp "$build/bin/cards/demo.card" "$QUILLON_HOME/demo.card"
  fi
  export QUILLON_VIRTUAL_CARD="$QUILLON_HOME/demo.card"
  export QUILLON_VIRTUAL_CARD_SAVE=${QUILLON_VIRTUAL_CARD_SAVE:-1}
fi

# Without the USB reader (vendor 7E5D, product 5B21) the reader check lets the program start anyway.
[ -n "${QUILLON_ANY_READER:-}" ] || grep -qsxi 5b21 $(grep -lsxi 7e5d /sys/bus/usb/devices/*/idVendor | sed 's/idVendor$/idProduct/') /dev/null || export QUILLON_ANY_READER=1

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "No display found. Run it under a virtual X server:"
  echo "  xvfb-run -a bash scripts/run.sh"
  exit 1
fi
exec "$build/bin/Quillon"
