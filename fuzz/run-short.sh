#!/usr/bin/env bash
# A short fuzzing run of every fuzz target, one after the other, for CI.
# Usage: fuzz/run-short.sh BUILD_DIR [SECONDS_PER_TARGET]
#
# Each target starts from its seeds (fuzz/seeds/) and the game's own data
# files (BUILD_DIR/run), and keeps what it learns in BUILD_DIR/fuzz-corpus, so
# a later run goes on from there; the run prints how many inputs a second each
# target went through. An input that crashes a target is kept in
# BUILD_DIR/fuzz-findings and fails the run.
set -uo pipefail

build=${1:?usage: fuzz/run-short.sh BUILD_DIR [SECONDS_PER_TARGET]}
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")" && pwd)
findings="$build/fuzz-findings"
mkdir -p "$findings"

# target, seed folder, data files from the run folder, dictionary
targets=(
  "bitmap_load_fuzz bitmap *.bmp bitmap.dict"
  "wave_file_fuzz wave *.wav wave.dict"
)

passed=0
failed=0
for entry in "${targets[@]}"; do
  read -r name seeds data dictionary <<<"$entry"
  program="$build/fuzz/$name"
  if [ ! -x "$program" ]; then
    echo "fuzz: $name is not built, skipped"
    continue
  fi
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  cp -n "$source_dir/seeds/$seeds"/* "$corpus"/
  for file in "$build"/run/$data; do
    [ -f "$file" ] && cp -n "$file" "$corpus"/
  done

  echo "fuzz: $name for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$program" "$corpus" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -dict="$source_dir/$dictionary" -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" >"$build/fuzz-$name.log" 2>&1
  status=$?
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz-$name.log"
  # libFuzzer's own summary line: "Done RUNS runs in SECONDS second(s)".
  read -r runs took < <(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 \2/p' \
    "$build/fuzz-$name.log")
  if [ -n "${runs:-}" ] && [ "${took:-0}" -gt 0 ]; then
    echo "fuzz: $name: $((runs / took)) runs a second ($runs runs in ${took}s)"
  fi
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    tail -n 60 "$build/fuzz-$name.log"
    echo "fuzz: $name FAILED; the input is in $findings"
  fi
done

echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
