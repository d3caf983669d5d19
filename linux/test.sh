#!/usr/bin/env bash
# Sets everything up, then runs every test under Wine on a virtual display. Ends non-zero when any
# test fails, after the test runner's summary.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/linux/setup.sh"
cd "$root/build/win"
export WINEPREFIX="$root/build/wineprefix-tests"
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" "$@"
