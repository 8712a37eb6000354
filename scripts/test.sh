#!/usr/bin/env bash
# Builds Tarnhold and runs the whole test suite, fuzzes the parsers of outside
# input for a bounded time, then runs the unit and model tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh --tests

cmake --preset debug >/dev/null
cmake --build --preset debug
ctest --preset debug

scripts/fuzz.sh

cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan
