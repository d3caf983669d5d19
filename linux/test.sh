#!/usr/bin/env bash
# Sets everything up, then runs every test under Wine, each test group on a virtual desktop of its
# own. Ends non-zero when any test fails, after the test runner's summary.
#
#   linux/test.sh [ctest options]           one run of the suite
#   linux/test.sh --repeat N [ctest options]
#                                           N runs in a row; prints each run's time and what failed
#                                           or hung, keeps each run's log in build/test-runs/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build

repeat=0
if [ "${1:-}" = "--repeat" ]; then
  repeat=${2:?"--repeat needs a number of runs"}
  [[ $repeat =~ ^[1-9][0-9]*$ ]] || { echo "--repeat needs a number of runs, not '$repeat'" >&2; exit 2; }
  shift 2
fi

"$root/linux/setup.sh"

. "$root/linux/test-desktops.sh"
desktops=$(nproc)
trap stop_test_desktops EXIT
start_test_desktops "$build" "$desktops"

cd "$build/win"
suite=(ctest --output-on-failure -j"$desktops")

if [ "$repeat" -eq 0 ]; then
  "${suite[@]}" "$@"
  exit
fi

# Stress mode: every run is bounded (a hang shows as a timed-out run, not as a stuck command).
logs=$build/test-runs
rm -rf "$logs"
mkdir -p "$logs"
bad=0
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }
total_start=$EPOCHREALTIME
for ((run = 1; run <= repeat; run++)); do
  log=$logs/run-$run.log
  start=$EPOCHREALTIME
  status=0
  timeout --kill-after=10 1200 "${suite[@]}" "$@" >"$log" 2>&1 || status=$?
  seconds=$(seconds_since "$start")
  if [ "$status" -eq 0 ]; then
    verdict="passed"
  elif [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    verdict="HUNG (stopped after 20 minutes)"
  else
    # CTest's own summary names each failed or timed-out group.
    verdict="FAILED: $(sed -n 's/^[[:space:]]*[0-9]* - \(.*\)$/\1/p' "$log" | tr '\n' ' ')"
  fi
  [ "$status" -eq 0 ] || bad=$((bad + 1))
  printf 'run %d/%d: %6s s  %s\n' "$run" "$repeat" "$seconds" "$verdict"
done
printf '%d of %d runs passed in %s s; logs in %s\n' "$((repeat - bad))" "$repeat" \
  "$(seconds_since "$total_start")" "$logs"
[ "$bad" -eq 0 ]
