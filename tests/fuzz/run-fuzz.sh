#!/usr/bin/env bash
# Builds the skin parsers' fuzz target with clang (address and undefined-behaviour sanitizers),
# writes a seed corpus from packed archives (the product skin included), and fuzzes for a bounded
# time. Prints executions, speed and findings; exits non-zero when a crash was found.
#   tests/fuzz/run-fuzz.sh <seconds> [jobs]
# Build tree: $FUZZ_BUILD_DIR (default build/fuzz). Crashes go to <build>/findings.
set -euo pipefail
seconds=${1:?usage: run-fuzz.sh <seconds> [jobs]}
jobs=${2:-1}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON >/dev/null
cmake --build "$build" --target skin_fuzz skin_fuzz_seeds -j2 >/dev/null

corpus=$build/corpus
findings=$build/findings
mkdir -p "$corpus" "$findings"
"$build/tests/fuzz/skin_fuzz_seeds" "$build/seeds" "$root/skins/reprocessa" >/dev/null

log=$build/fuzz.log
set +e
# rss_limit keeps a leak or a runaway allocation a finding rather than a dead machine.
"$build/tests/fuzz/skin_fuzz" "$corpus" "$build/seeds" -max_total_time="$seconds" -max_len=65536 \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 \
  $([ "$jobs" -gt 1 ] && echo "-jobs=$jobs -workers=$jobs") >"$log" 2>&1
status=$?
set -e
[ "$jobs" -gt 1 ] && cat "$build"/fuzz-*.log >>"$log" 2>/dev/null || true

runs=$(grep -h '^stat::number_of_executed_units' "$log" | awk '{s+=$2} END {print s+0}')
speed=$(grep -h '^stat::average_exec_per_sec' "$log" | awk '{s+=$2} END {print s+0}')
crashes=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
cover=$(grep -h -o 'cov: [0-9]*' "$log" | tail -1)
echo "fuzzed ${seconds}s: ${runs} executions, ${speed} exec/s, ${cover:-cov: ?}, corpus $(ls "$corpus" | wc -l) inputs, findings: ${crashes}"
if [ "$crashes" -gt 0 ]; then
  ls "$findings"
  grep -h -A20 'ERROR:' "$log" | head -60
  exit 1
fi
exit $status
