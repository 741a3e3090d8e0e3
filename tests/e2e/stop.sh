#!/usr/bin/env bash
# Stops what start.sh started, by the PIDs it wrote; a pcscd it did not start is left alone.
# Usage: stop.sh STATE_DIR
set -u
state=$1
stop_pid() {  # pid-file expected-name
  [ -f "$1" ] || return 0
  pid=$(cat "$1")
  if [ "$(cat /proc/"$pid"/comm 2>/dev/null)" = "$2" ]; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -f "$1"
}
stop_pid "$state/vsim.pid" quillon-vsim
stop_pid "$state/faulty.pid" quillon-vsim
stop_pid "$state/pcscd.pid" pcscd
exit 0
