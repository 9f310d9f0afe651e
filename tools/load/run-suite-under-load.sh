#!/usr/bin/env bash
# Runs the whole test suite of a built tree several times in a row with
# every core kept busy, the way a loaded CI machine runs it: the end-to-end
# tests must not assume an idle machine. Run by hand, not in CI.
#   tools/load/run-suite-under-load.sh [ROUNDS] [BUILD_DIR]
set -uo pipefail
rounds=${1:-5}
build=${2:-build}
cores=$(nproc)

busy=()
stop_busy() { ((${#busy[@]})) && kill "${busy[@]}" 2>/dev/null; wait 2>/dev/null; }
trap stop_busy EXIT
for _ in $(seq "$cores"); do yes > /dev/null & busy+=($!); done
echo "$cores busy loops running; $rounds rounds of the suite in $build"

passed=0
for round in $(seq "$rounds"); do
  started=$(date +%s)
  if (cd "$build" && ctest -j "$cores" --output-on-failure > "/tmp/voxpan-load-round-$round.log" 2>&1); then
    passed=$((passed + 1))
    echo "round $round: passed in $(( $(date +%s) - started )) s"
  else
    echo "round $round: FAILED in $(( $(date +%s) - started )) s (log: /tmp/voxpan-load-round-$round.log)"
    grep -E "^\s*[0-9]+ - |FAIL" "/tmp/voxpan-load-round-$round.log" | head -20
  fi
done
echo "$passed of $rounds rounds passed with every core busy"
[[ $passed -eq $rounds ]]
