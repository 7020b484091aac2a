#!/usr/bin/env bash
# Sets up the machine, builds the project and starts it.
#
# With no drive hardware named, a simulated line of six drives (one of each family) is started
# and published as port 99, and the programs run against it:
#   * with a display: the configuration program TarselV8, its connection dialog on port 99;
#   * without a display: the library example (connect, list the drives, move an axis) and a
#     command-line scan of the line.
# To use a real line instead: TARSEL_PORT=<n> ./run.sh  (see "Serial ports on Linux" in README.md)
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
# TARSEL_BIN_DIR=<dir> skips the setup and the build and runs the programs found in <dir> (the
# tests run this script against their own build that way).
if [ -n "${TARSEL_BIN_DIR:-}" ]; then
    bin=$TARSEL_BIN_DIR
else
    ./scripts/setup
    ./scripts/build build/release -DCMAKE_BUILD_TYPE=Release -DTARSEL_BUILD_TESTS=OFF
    bin=$root/build/release/bin
fi

port=${TARSEL_PORT:-}
sim_pid=""
own_ports_dir=""
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    if [ -n "$own_ports_dir" ]; then rm -rf "$own_ports_dir"; fi
}
trap cleanup EXIT INT TERM

if [ -z "$port" ]; then
    port=99
    if [ -z "${TARSEL_PORTS_DIR:-}" ]; then
        own_ports_dir=$(mktemp -d)
        export TARSEL_PORTS_DIR=$own_ports_dir
    fi
    "$bin/drivesim" --demo --port "$port" &
    sim_pid=$!
    for _ in $(seq 50); do [ -e "$TARSEL_PORTS_DIR/com$port" ] && break; sleep 0.1; done
    echo "Simulated line published as port $port ($TARSEL_PORTS_DIR/com$port)"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/TarselV8" ]; then
    "$bin/TarselV8" --select-port "$port"
else
    "$bin/zel_move_demo" "$port"
    if [ -x "$bin/idpicker" ]; then QT_QPA_PLATFORM=offscreen "$bin/idpicker" --port "$port" --scan; fi
fi
