#!/usr/bin/env bash
# Checks the Debian package as a player gets it: lintian and
# desktop-file-validate on the package, then installs it, starts the game
# through its launcher from another folder under SDL's dummy drivers, sees its
# title screen, ends it, removes the package and looks for anything left.
#
# Usage: scripts/test-package.sh PACKAGE PROBE_LIBRARY SCREEN_PROBE
#   PACKAGE        the stackwell_*.deb that `make package` built
#   PROBE_LIBRARY  bench/probe's library (libstackwell_probe.so), which notes
#                  the first frame and keeps a picture of it
#   SCREEN_PROBE   tests/e2e's screen_probe, which says whether a picture shows
#                  the title
# Installing and removing need root, or sudo.
set -Eeuo pipefail

[ $# -eq 3 ] || {
  echo "usage: $0 PACKAGE PROBE_LIBRARY SCREEN_PROBE" >&2
  exit 2
}
package=$(realpath "$1")
probe_library=$(realpath "$2")
screen_probe=$(realpath "$3")
launcher=/usr/games/stackwell
program=/usr/lib/games/stackwell/stackwell
data=/usr/share/games/stackwell

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
# Other programs may hold dpkg's lock for a while: wait for it, never take it.
apt_get() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q \
    -o DPkg::Lock::Timeout=600 "$@"
}

work=$(mktemp -d)
installed_here=no
game_pid=""
cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill -KILL "$game_pid" 2>/dev/null || true
  fi
  if [ "$installed_here" = yes ]; then
    apt_get purge stackwell >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

echo "== lintian"
# Errors and warnings fail; the informational notes are shown. Nothing is
# overridden: an override, if one is ever needed, goes into packaging/ with
# its reason beside it.
lintian --fail-on error,warning --info "$package"

echo "== desktop-file-validate"
dpkg-deb -x "$package" "$work/contents"
desktop-file-validate "$work/contents/usr/share/applications/stackwell.desktop"

if dpkg-query -W -f='${Status}' stackwell 2>/dev/null | grep -q 'install ok installed'; then
  fail "stackwell is installed already; remove it first (apt-get remove stackwell)"
fi

# Of the package's paths, those that are there before it is installed
# (shared folders such as /usr/share/icons) may stay after it is removed.
dpkg-deb -c "$package" | awk '{ print substr($6, 2) }' | sed 's|/$||' | grep -v '^$' \
  >"$work/paths"
while read -r path; do
  [ -e "$path" ] && echo "$path"
done <"$work/paths" >"$work/there-before" || true

echo "== installing"
installed_here=yes
apt_get install "$package"
dpkg -L stackwell | grep -vx '/\.' >"$work/installed"
for path in "$launcher" "$program" "$data/start.bmp" /usr/share/applications/stackwell.desktop \
  /usr/share/icons/hicolor/48x48/apps/stackwell.png /usr/share/man/man6/stackwell.6.gz \
  /usr/share/doc/stackwell/copyright; do
  grep -qx "$path" "$work/installed" || fail "the package does not install $path"
done
[ "$(ls "$data" | wc -l)" -eq 8 ] || fail "$data does not hold the eight data files"
man -w stackwell | grep -qx /usr/share/man/man6/stackwell.6.gz || fail "man does not find stackwell(6)"

echo "== starting $launcher from $work"
report=$work/report
shot=$work/first-frame.ppm
: >"$report"
(
  cd "$work"
  exec env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LD_PRELOAD="$probe_library" \
    STACKWELL_PROBE_START="$(date +%s%N)" STACKWELL_PROBE_REPORT="$report" \
    STACKWELL_PROBE_SHOT="$shot" "$launcher"
) >"$work/game.out" 2>&1 &
game_pid=$!
for _ in $(seq 300); do
  grep -q first-frame-us "$report" && break
  kill -0 "$game_pid" 2>/dev/null || { cat "$work/game.out"; fail "the game ended before its first frame"; }
  sleep 0.1
done
grep -q first-frame-us "$report" || fail "no frame within 30 s"
# The launcher gave its process to the game, which runs in its data folder.
[ "$(readlink "/proc/$game_pid/exe")" = "$program" ] || fail "process $game_pid is not $program"
[ "$(readlink "/proc/$game_pid/cwd")" = "$data" ] || fail "the game does not run in $data"
# The title picture, checked against the installed start.bmp.
(cd "$data" && "$screen_probe" title "$shot") || fail "the first frame is not the title screen"
kill -TERM "$game_pid"
for _ in $(seq 50); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  kill -KILL "$game_pid"
  fail "the game did not end within 5 s of a terminate signal"
fi
wait "$game_pid" || true
game_pid=""

echo "== removing"
apt_get purge stackwell
installed_here=no
left=$(while read -r path; do
  if [ -e "$path" ] && ! grep -qx "$path" "$work/there-before"; then
    echo "$path"
  fi
done <"$work/installed")
[ -z "$left" ] || fail "left behind after removal: $left"
echo "The package installs, starts the game on its title screen and goes without a trace."
