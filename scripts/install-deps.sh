#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing the game needs,
# and only those that are missing.
# Usage: install-deps.sh PACKAGE... where @NAME stands for the packages the
# Makefile lists as NAME, so that ./run.sh and ./test.sh can ask for everything
# at once before make itself is there.
set -euo pipefail
cd "$(dirname "$0")/.."

# A package list of the Makefile, its continued lines joined.
makefile_list() {
  sed -e ':join' -e '/\\$/{N;s/\\\n//;b join}' Makefile | sed -n "s/^$1 := //p"
}

wanted=()
for name in "$@"; do
  if [[ $name == @* ]]; then
    read -r -a listed <<<"$(makefile_list "${name#@}")"
    wanted+=("${listed[@]}")
  else
    wanted+=("$name")
  fi
done

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "These packages are missing: ${missing[*]}" >&2
  echo "Install them as root, then run this again:" >&2
  echo "  apt-get update && apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
