#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix: the test runner's
# emulator for a Windows build (cmake/windows.cmake sets it).
#
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#
# The prefix is made on first use (wineboot, slow once). Wine's debug output is
# off unless WINEDEBUG is set, and the Mono and Gecko installers are never
# offered. The program's exit code is this script's.
set -euo pipefail
[ $# -ge 2 ] || {
  echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
}
prefix=$1
shift

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
wine=$(command -v wine64 || command -v wine || true)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ -z "$wine" ] || [ ! -x "$wineserver" ]; then
  echo "Wine is not installed (Debian packages wine and wine64)" >&2
  exit 1
fi

# Only one process makes the prefix; the others wait for it.
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
  fi
) 9>"$prefix.lock"
# One Wine server for the prefix that outlives each program by a minute, so
# that the next program does not pay for starting it again; a server that
# already runs for the prefix makes this one a no-op.
"$wineserver" -p60 >/dev/null 2>&1 || true

exec "$wine" "$@"
