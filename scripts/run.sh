#!/usr/bin/env bash
# Builds and starts Quillon. Without a USB reader it uses the virtual demo card.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLON_BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"

export QUILLON_HOME=${QUILLON_HOME:-$HOME/.local/share/Quillon}
mkdir -p "$QUILLON_HOME"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "No display found. Run it under a virtual X server:"
  echo "  xvfb-run -a bash scripts/run.sh"
  exit 1
fi
exec "$build/bin/Quillon"
