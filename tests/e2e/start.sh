#!/usr/bin/env bash
# Starts what the end-to-end tests need: pcscd (unless one runs already) and quillon-vsim
# serving a copy of the demo card to vpcd, then waits until the reader reports the card.
# When this cannot be done (not root, no pcscd) it writes the reason to STATE/skip and the
# tests skip. Usage: start.sh BIN_DIR STATE_DIR
set -u
bin=$1
state=$2
mkdir -p "$state"
rm -f "$state"/skip "$state"/*.pid

skip() {
  echo "$1" > "$state/skip"
  echo "end-to-end tests will skip: $1"
  exit 0
}

command -v pcscd >/dev/null || skip "pcscd is not installed"
if pidof pcscd >/dev/null && [ -S /run/pcscd/pcscd.comm ]; then
  echo "using the running pcscd"
else
  [ "$(id -u)" -eq 0 ] || skip "pcscd is not running and only root can start it"
  pcscd -f > "$state/pcscd.log" 2>&1 &
  pcscd_pid=$!
  echo $pcscd_pid > "$state/pcscd.pid"
  # A socket left by a pcscd that was killed may exist already: also watch that ours stays up
  # (it refuses to start while the pid file of another one names a live process).
  for _ in $(seq 50); do
    kill -0 "$pcscd_pid" 2>/dev/null || skip "pcscd exited at once (see $state/pcscd.log)"
    [ -S /run/pcscd/pcscd.comm ] && break
    sleep 0.1
  done
  sleep 0.3
  kill -0 "$pcscd_pid" 2>/dev/null || skip "pcscd exited at once (see $state/pcscd.log)"
  [ -S /run/pcscd/pcscd.comm ] || skip "pcscd did not start (see $state/pcscd.log)"
fi

cp "$bin/cards/demo.card" "$state/card.card"
"$bin/quillon-vsim" --image "$state/card.card" > "$state/vsim.log" 2>&1 &
echo $! > "$state/vsim.pid"
"$bin/e2e_wait_card" "Virtual PCD 00 00" present 15000 || skip "the virtual card did not appear in \"Virtual PCD 00 00\""
