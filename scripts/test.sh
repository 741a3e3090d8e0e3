#!/usr/bin/env bash
# Builds everything and runs every test; the output ends with ctest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLON_BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"
cd "$build"
export QT_QPA_PLATFORM=offscreen
export QUILLON_ANY_READER=1  # the tests run without the USB reader
ctest --output-on-failure -j "$(nproc)" --timeout 300
