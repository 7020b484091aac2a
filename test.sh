#!/usr/bin/env bash
# Sets up the machine, builds the project and runs the whole test suite:
#   1. the full suite under AddressSanitizer and UBSan,
#   2. the threaded tests under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
./scripts/setup

export QT_QPA_PLATFORM=offscreen
# Keep the tests away from the machine's real serial ports and the user's port numbers.
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/sys" "$sandbox/dev" "$sandbox/ports"
export TARSEL_SYSFS_ROOT=$sandbox/sys TARSEL_DEV_ROOT=$sandbox/dev TARSEL_PORTS_DIR=$sandbox/ports
export TARSEL_PORT_NUMBERS_FILE=$sandbox/ports.ini
jobs=$(nproc)

./scripts/build build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_SANITIZE=address -DTARSEL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs" --timeout 300

./scripts/build build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARSEL_SANITIZE=thread -DTARSEL_BUILD_BENCH=OFF -DTARSEL_BUILD_GUI=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L threaded --timeout 300
