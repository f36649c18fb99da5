#!/usr/bin/env bash
# Runs the Win32 backend's tests, then plays the Windows program under Wine
# in a virtual X server: the title, the first piece at column 4, a pause,
# Escape, the end screen and Return, checking the screen at each step, the
# sound and the exit code. Then runs it on a data folder with a sound missing
# (it must still play), closes it with Alt+F4 on the title and in play, and
# runs it with no sound device (it must stop at start-up with its failure exit
# code and say why).
#
# Usage: play_under_wine.sh BUILD_DIR
#   BUILD_DIR is a Windows build (make windows): BUILD_DIR/run holds
#   stackwell.exe and the data files, BUILD_DIR/host-tools/screen_probe reads
#   screenshots on this machine.
# With E2E_SHOTS=folder the screenshots are kept there.
#
# Wine runs in a throwaway prefix, BUILD_DIR/win32-e2e/prefix, made on first
# use. Its desktop is a 640 x 480 virtual one (without it the display mode
# cannot be set), on an X server of the same size. The machine need not have
# a sound card: the program's HOME holds an ALSA setting whose default output
# is the null device, which Wine's ALSA driver plays into; ALSA's file plugin
# keeps a copy, which must not be silent. No sound device at all is Wine's
# audio driver setting left empty.
set -Eeuo pipefail

build=$(cd "$1" && pwd)
run_folder=$build/run
game=$run_folder/stackwell.exe
probe=$build/host-tools/screen_probe
backend_tests=$build/tests/win32_backend_tests.exe
for tool in wine Xvfb xdotool import convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (make test-windows installs it)"
    exit 77
  fi
done
[ -f "$game" ] || { echo "FAILED: no $game (make windows builds it)"; exit 1; }
[ -x "$probe" ] || { echo "FAILED: no $probe (make windows builds it)"; exit 1; }
[ -f "$backend_tests" ] || { echo "FAILED: no $backend_tests (make windows builds it)"; exit 1; }

state=$build/win32-e2e
work=$(mktemp -d)
mkdir -p "$state"
export WINEPREFIX=$state/prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program's own HOME, where ALSA reads its settings.
export HOME=$work/home
mkdir -p "$HOME"
# The null device, through ALSA's file plugin: what Wine plays is also
# written to sound.wav, so the test can hear that the game made a sound.
cat >"$HOME/.asoundrc" <<ALSA
pcm.!default {
  type file
  slave.pcm "null"
  file "$work/sound.wav"
  format "wav"
}
ctl.!default { type hw card 0 }
ALSA

xvfb_pid=""
game_pid=""
# Ends a process this script started: asked first, then forced.
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$1" 2>/dev/null || true
}
cleanup() {
  stop "$game_pid"
  # Wine's server and services for this prefix only.
  wineserver -k 2>/dev/null || true
  stop "$xvfb_pid"
  wait 2>/dev/null || true
  if [ -n "${E2E_SHOTS:-}" ]; then
    mkdir -p "$E2E_SHOTS" && cp "$work"/*.png "$E2E_SHOTS"/ 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  trap - ERR
  echo "FAILED: $*"
  for log in game.err xvfb.log; do
    [ -s "$work/$log" ] && { echo "--- $log"; cat "$work/$log"; }
  done
  exit 1
}
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

game_running() { [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; }

# Runs a command every 0.2 s until it succeeds; fails after the timeout.
wait_for() {
  local what=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >"$work/last_try.out" 2>&1; do
    if [ -n "$game_pid" ] && ! game_running; then
      fail "the game ended while waiting for $what"
    fi
    [ $SECONDS -ge $deadline ] && { cat "$work/last_try.out"; fail "no $what within ${seconds}s"; }
    sleep 0.2
  done
}

shot_count=0
# Takes a screenshot as NAME.png and NAME.ppm.
shoot() {
  import -window root "$work/$1.png" && convert "$work/$1.png" "$work/$1.ppm"
}
# Succeeds when a fresh screenshot passes the probe's check. The probe reads
# the pictures of the full run folder, whichever folder the game runs in.
screen_shows() {
  shot_count=$((shot_count + 1))
  local name="$1-$shot_count"
  shoot "$name" && (cd "$run_folder" && "$probe" "$1" "$work/$name.ppm") &&
    cp "$work/$name.ppm" "$work/last-$1.ppm" && cp "$work/$name.png" "$work/$1.png"
}
probe_play() { (cd "$run_folder" && "$probe" play "$work/last-play.ppm"); }
piece_column() { probe_play | awk '/^piece/ {print $2}'; }
piece_row() { probe_play | awk '/^piece/ {print $3}'; }

# A key held long enough for the game's 25 polls a second to see it.
press() {
  xdotool keydown "$1"
  sleep 0.12
  xdotool keyup "$1"
}

# Presses the key until the check succeeds: a loaded machine can draw a frame
# slowly enough for a short press to fall between two polls of the keyboard.
press_until() {
  local what=$1 seconds=$2 key=$3
  shift 3
  local deadline=$((SECONDS + seconds))
  while :; do
    press "$key"
    local retry=$((SECONDS + 5))
    while [ $SECONDS -lt $retry ]; do
      "$@" >"$work/last_try.out" 2>&1 && return 0
      sleep 0.2
    done
    [ $SECONDS -ge $deadline ] && { cat "$work/last_try.out"; fail "no $what within ${seconds}s"; }
  done
}

game_ended() { ! game_running; }
# The pause draws nothing: the screen stands still.
paused() {
  sleep 0.4
  shoot paused-a
  sleep 1.5
  shoot paused-b
  cmp -s "$work/paused-a.ppm" "$work/paused-b.ppm"
}
resumed() { shoot resumed && ! cmp -s "$work/paused-b.ppm" "$work/resumed.ppm"; }

# Starts the game in the folder, its output in game.out and game.err.
start_game() {
  (cd "$1" && exec wine stackwell.exe) >"$work/game.out" 2>"$work/game.err" &
  game_pid=$!
}
# Waits for the game to end; its exit code in ended_with.
wait_game() {
  ended_with=0
  wait "$game_pid" || ended_with=$?
  game_pid=""
}

# Wine's audio driver: the system's choice, or none at all.
sound_driver() {
  if [ "$1" = none ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
  else
    wine reg delete 'HKCU\Software\Wine\Drivers' /v Audio /f >/dev/null 2>&1 || true
  fi
}

# The X server picks a free display and tells its number.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for "X server" 20 test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
wait_for "X server answering" 20 xdotool getdisplaygeometry

# The prefix once, then its desktop: a virtual one of 640 x 480.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot --init >"$work/wineboot.log" 2>&1 || fail "Wine could not make its prefix"
fi
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x480 /f >/dev/null 2>&1
sound_driver system

# 0. The backend's own tests, on the same desktop and sound output.
(cd "$run_folder" && wine "$backend_tests" --gtest_brief=1) >"$work/backend_tests.out" 2>&1 || {
  cat "$work/backend_tests.out"
  fail "the backend's tests failed"
}

# 1. A whole run: title, play, pause, end screen, exit code 0.
start_game "$run_folder"
wait_for "title picture" 90 screen_shows title
press_until "first piece in the well" 30 Return screen_shows play
column=$(piece_column)
row=$(piece_row)
[ "$column" = 4 ] || fail "the first piece came in at column $column, not 4"
[ "$row" -ge 0 ] && [ "$row" -le 5 ] || fail "the first piece is at row $row, not at the top"
press_until "the pause" 30 Return paused
cp "$work/paused-b.png" "$work/pause.png"
press_until "play to go on after the pause" 20 Return resumed
press_until "end screen" 30 Escape screen_shows end
press_until "the game to end after Return on the end screen" 30 Return game_ended
wait_game
[ "$ended_with" -eq 0 ] || fail "the game exited with $ended_with"
# Whatever format Wine chose for the output, silence is all zero bytes.
[ -s "$work/sound.wav" ] || fail "no sound reached the sound output"
heard=$(tail -c +45 "$work/sound.wav" | tr -d '\0' | wc -c)
[ "$heard" -gt 10000 ] || fail "the sound output got only silence"

# 2. The play music missing: the game plays without it.
cp -r "$run_folder" "$work/short"
rm "$work/short/techno.wav"
start_game "$work/short"
wait_for "title picture without the music" 90 screen_shows title
press_until "a piece without the music" 30 Return screen_shows play
press_until "end screen without the music" 30 Escape screen_shows end
press_until "the game to end without the music" 30 Return game_ended
wait_game
[ "$ended_with" -eq 0 ] || fail "without the music the game exited with $ended_with"

# 3. A close typed on the keyboard: on the title the game ends at once; in
# play when the piece has landed; without the end screen, as after any close.
start_game "$run_folder"
wait_for "title picture before the close" 90 screen_shows title
xdotool key alt+F4
deadline=$((SECONDS + 20))
while game_running && [ $SECONDS -lt $deadline ]; do
  sleep 0.2
done
game_running && fail "Alt+F4 on the title did not end the game"
wait_game
[ "$ended_with" -eq 0 ] || fail "after Alt+F4 on the title the game exited with $ended_with"
start_game "$run_folder"
wait_for "title picture before the close" 90 screen_shows title
press_until "a piece before the close" 30 Return screen_shows play
xdotool key alt+F4
xdotool keydown Down
deadline=$((SECONDS + 60))
while game_running && [ $SECONDS -lt $deadline ]; do
  sleep 0.2
done
xdotool keyup Down
game_running && fail "Alt+F4 in play did not end the game"
wait_game
[ "$ended_with" -eq 0 ] || fail "after Alt+F4 the game exited with $ended_with"

# 4. No sound device: start-up fails with exit code 1 and says why.
sound_driver none
start_game "$run_folder"
for _ in $(seq 600); do
  game_running || break
  sleep 0.1
done
game_running && fail "with no sound device the game kept running"
wait_game
[ "$ended_with" -eq 1 ] || fail "with no sound device the game exited with $ended_with, not 1"
grep -q '^stackwell: cannot set up the sound device: ' "$work/game.err" ||
  fail "with no sound device the game did not say so"

# 5. The same, started as from the desktop, where standard error goes nowhere:
# the reason shows in a message box, and the game ends when it is closed.
# Wine's start gives the program no standard handles, as Explorer does.
(cd "$run_folder" && exec wine start /wait stackwell.exe) >"$work/game.out" 2>&1 &
game_pid=$!
wait_for "the failure's message box" 60 xdotool search --name '^Stackwell$'
xdotool key --window "$(xdotool search --name '^Stackwell$' | head -n1)" Return
for _ in $(seq 300); do
  game_running || break
  sleep 0.1
done
game_running && fail "the message box did not end the game"
wait_game
sound_driver system
[ "$ended_with" -eq 1 ] || fail "after the message box the game exited with $ended_with, not 1"

echo "played under Wine: title, piece at column $column row $row, pause, end screen, exit 0," \
  "$heard sound bytes not silent;" \
  "without the music too; Alt+F4 on the title and in play; no sound device: $(head -n1 "$work/game.err")," \
  "and in a message box without a console"
