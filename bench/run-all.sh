#!/usr/bin/env bash
# Runs every benchmark against a build and ends with each figure next to its
# target. `make bench` calls it after building.
#
# Usage: bench/run-all.sh BUILD_DIR
#
# The benchmark programs (bench/*.cpp) run in the build's run folder, where
# the game's data files are; then bench/startup.sh times the program's start
# and its peak memory, and bench/cpu-usage.sh its processor time in each
# state (STACKWELL_BENCH_SECONDS a state, 20 by default, in each of
# STACKWELL_BENCH_RUNS runs, 3 by default). The exit status is 1 when a figure
# misses its target.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || {
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
}
build=$(cd "$1" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed=0

section() {
  echo
  echo "== $1"
}

for program in "$build"/bench/*; do
  [ -f "$program" ] && [ -x "$program" ] && [[ "$program" != *.so ]] || continue
  section "$(basename "$program")"
  (cd "$build/run" && "$program") | tee -a "$log" || failed=1
done

if [ -x "$build/run/stackwell" ]; then
  section "start-up and memory"
  "$here/startup.sh" "$build" | tee -a "$log" || failed=1
  section "processor time"
  "$here/cpu-usage.sh" "$build" "${STACKWELL_BENCH_SECONDS:-20}" "${STACKWELL_BENCH_RUNS:-3}" | tee -a "$log" || failed=1
else
  section "the program is not built: no start-up, memory or processor figures"
fi

section "figures"
grep -E '^(FIGURE|INFO) ' "$log" | sed -E 's/^(FIGURE|INFO) //' || true
if grep -q '^FIGURE .*MISSED$' "$log"; then
  echo "Some figures miss their targets."
  failed=1
fi
if [ $failed -ne 0 ]; then
  echo "Some benchmarks failed or missed their targets."
fi
exit $failed
