#!/usr/bin/env bash
# Plays the game on a machine that may have nothing but bash: installs what is
# missing from Debian (make among it; as root, or through sudo), builds, makes
# the data files and starts the game. Arguments go to make (JOBS=4, BUILD=dir).
# The game is started from here rather than by make, so its own exit status
# and messages are the last word.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh make @BUILD_PACKAGES
make build "$@"
build=build
for argument in "$@"; do
  [[ $argument == BUILD=* ]] && build=${argument#BUILD=}
done
cd "$build/run"
exec ./stackwell
