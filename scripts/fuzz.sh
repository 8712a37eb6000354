#!/usr/bin/env bash
# Builds the fuzz targets and runs each for FUZZ_SECONDS seconds (30 by
# default), starting from a copy of its seed corpus in tests/fuzz/corpus.
# Fails when a target crashes or breaks one of its properties; the input that
# did it is kept in build/fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-30}

scripts/install-dependencies.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
crashes=build/fuzz/crashes
rm -rf "$crashes"
mkdir -p "$crashes"

# The targets' own temporary files go to the work folder too.
export TMPDIR=$work
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer

passed=0
failed=0
for seeds in tests/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    cp -r "$seeds" "$work/$target"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$crashes/$target-")
    dictionary=tests/fuzz/dictionaries/$target.dict
    [ -f "$dictionary" ] && options+=(-dict="$dictionary")

    log=$work/$target.log
    if "build/fuzz/tests/fuzz/$target" "${options[@]}" "$work/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        echo "$target: passed, $runs runs, $speed executions per second"
        passed=$((passed + 1))
    else
        tail -n 60 "$log"
        echo "$target: FAILED; replay with build/fuzz/tests/fuzz/$target $crashes/$target-*"
        failed=$((failed + 1))
    fi
done

if [ "$failed" -gt 0 ]; then
    echo "$failed of $((passed + failed)) fuzz targets failed"
    exit 1
fi
echo "All $passed fuzz targets passed"
