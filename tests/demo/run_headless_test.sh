#!/usr/bin/env bash
# run_headless_test.sh RUN_SH BIN_DIR: runs RUN_SH as on a machine without a display, with the
# programs of BIN_DIR, and expects it to succeed with the six drives of the demonstration line
# listed by the library example and by the command-line scan.
set -uo pipefail
run_sh=$1
bin=$2
for program in drivesim zel_move_demo idpicker; do
    [ -x "$bin/$program" ] || { echo "missing $bin/$program (build it first)"; exit 1; }
done

ports=$(mktemp -d)
out=$(mktemp)
trap 'rm -rf "$ports" "$out"' EXIT

# Its own ports directory, so that port 99 of other tests or of a running simulator is not seen.
env -u DISPLAY -u WAYLAND_DISPLAY -u TARSEL_PORT TARSEL_BIN_DIR="$bin" TARSEL_PORTS_DIR="$ports" \
    timeout -k 5 60 bash "$run_sh" >"$out" 2>&1
status=$?
cat "$out"

failed=0
fail() { echo "FAILED: $*"; failed=1; }
[ "$status" -eq 0 ] || fail "run.sh ended with status $status"
listed=$(grep -cE '^slave [0-5]: .+ type [0-9]+ version 8\.' "$out")
[ "$listed" -eq 6 ] || fail "the library example listed $listed drives instead of 6"
grep -qE '^move ended' "$out" || fail "the library example did not see its move end"
scanned=$(grep -cE '^Slave [0-5]: .+ ver\.8\.' "$out")
[ "$scanned" -eq 6 ] || fail "the command-line scan found $scanned drives instead of 6"
[ -z "$(ls -A "$ports")" ] || fail "the simulator left its entry behind: $(ls -A "$ports")"
exit "$failed"
