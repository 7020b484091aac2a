#!/usr/bin/env bash
# Sets up the machine, builds the project and runs the whole test suite:
#   1. the full suite under AddressSanitizer and UBSan,
#   2. the threaded tests under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

./scripts/build build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_SANITIZE=address -DTARSEL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs" --timeout 300

./scripts/build build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_SANITIZE=thread -DTARSEL_BUILD_BENCH=OFF -DTARSEL_BUILD_GUI=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L threaded --timeout 300
