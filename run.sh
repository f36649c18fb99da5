#!/usr/bin/env bash
# Plays the game on a machine that may have nothing but bash: installs what is
# missing from Debian (make among it; as root, or through sudo), builds, makes
# the data files and starts the game. Arguments go to make (JOBS=4).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh make
exec make run "$@"
