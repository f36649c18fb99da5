#!/usr/bin/env bash
# Checks the game on a machine that may have nothing but bash: installs what is
# missing from Debian (make among it; as root, or through sudo), builds and
# runs every test. Arguments go to make (JOBS=4).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh make @BUILD_PACKAGES @TEST_PACKAGES
exec make test "$@"
