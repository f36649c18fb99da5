#!/usr/bin/env bash
# The Windows program links the platform's api, the win32 driver and nothing
# of the emulated driver, and each platform symbol it could link is defined in
# exactly one object of all it links: no second copy that only the linker's
# order of search keeps out.
#
# Usage: one-definition.sh NM TARGET_DIR BUILD_DIR
#   TARGET_DIR: the program's CMakeFiles/NAME.dir (its objects1 and linkLibs.rsp)
set -euo pipefail
nm=$1
target_dir=$2
build=$3
inputs=()
for object in $(cat "$target_dir/objects1"); do
  inputs+=("$build/$object")
done
# A library named twice (for a cycle) is one input.
for library in $(tr ' ' '\n' <"$target_dir/linkLibs.rsp" | grep '\.a$' | sort -u); do
  inputs+=("$build/$library")
done
for input in "${inputs[@]}"; do
  [ -f "$input" ] || { echo "no $input: build the program first" >&2; exit 1; }
done
failed=0
members=$("$nm" -A "${inputs[@]}" 2>/dev/null || true)
if grep -q 'emulated_[a-z_]*\.cpp\.obj:' <<<"$members"; then
  echo "the program links the emulated driver:" >&2
  grep -o 'emulated_[a-z_]*\.cpp\.obj' <<<"$members" | sort -u >&2
  failed=1
fi
twice=$({ "$nm" -A --defined-only "${inputs[@]}" 2>/dev/null || true; } |
  awk '$2 ~ /^[TDBR]$/ && $3 ~ /^_ZN?K?8platform/ {print $3, $1}' | sort |
  awk '{count[$1]++; where[$1] = where[$1] " " $2} END {for (s in count) if (count[s] > 1) print s where[s]}')
if [ -n "$twice" ]; then
  echo "platform symbols defined more than once:" >&2
  echo "$twice" | sed 's/^/  /' >&2
  failed=1
fi
[ $failed = 0 ] && echo "$(basename "$target_dir" .dir): ${#inputs[@]} inputs, every platform symbol defined once"
exit $failed
