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
prefix=$(realpath -m "$1")
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

# Wine's server and its background programs (services, devices) outlive the
# program they were started for; started here with no terminal or pipe of
# ours, so that the test runner, which waits for the end of a test's output,
# does not wait for them. The server stays a minute after its last program,
# so the next program does not pay for starting it again. Only one process
# makes the prefix or starts the server; the others wait for it.
mkdir -p "$(dirname "$prefix")"
# Wine keeps its server's socket in /tmp/wine-*/server-DEVICE-INODE, named
# after the prefix folder; a socket there means the server runs.
server_runs() {
  local ids socket
  ids=$(stat -c '%d %i' "$prefix" 2>/dev/null) || return 1
  # shellcheck disable=SC2086
  for socket in "${TMPDIR:-/tmp}"/wine-*/"$(printf 'server-%x-%x' $ids)"/socket \
    /tmp/.wine-"$(id -u)"/"$(printf 'server-%x-%x' $ids)"/socket; do
    [ -S "$socket" ] && return 0
  done
  return 1
}
(
  flock 9
  if [ ! -f "$prefix/system.reg" ] || ! server_runs; then
    mkdir -p "$prefix"
    # Without the lock's descriptor, or the lock would last as long as they do.
    "$wineserver" -p60 </dev/null >/dev/null 2>&1 9>&- || true
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&-
  fi
) 9>"$prefix.lock"

exec "$wine" "$@"
