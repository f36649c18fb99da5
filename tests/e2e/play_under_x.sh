#!/usr/bin/env bash
# Plays the built game in a virtual X server: the title, a piece moved and
# turned, a pause, Escape, the end screen and Return; checks the screen at
# each step, the exit code and the sound the game wrote. Then starts it again
# and takes the X server away: the game must end.
#
# Usage (from the run folder, where the data files lie):
#   play_under_x.sh STACKWELL SCREEN_PROBE
# With E2E_SHOTS=folder the screenshots are kept there.
set -Eeuo pipefail

game=$1
probe=$2
for tool in Xvfb xdotool import convert sox; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (make test-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
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
# Succeeds when a fresh screenshot passes the probe's check.
screen_shows() {
  shot_count=$((shot_count + 1))
  local name="$1-$shot_count"
  shoot "$name" && "$probe" "$1" "$work/$name.ppm" && cp "$work/$name.ppm" "$work/last-$1.ppm" &&
    cp "$work/$name.png" "$work/$1.png"
}
# The piece's leftmost column and top row in the last play screenshot.
piece_column() { "$probe" play "$work/last-play.ppm" | awk '/^piece/ {print $2}'; }
piece_row() { "$probe" play "$work/last-play.ppm" | awk '/^piece/ {print $3}'; }
piece_moved_right() { screen_shows play && [ "$(piece_column)" -gt 4 ]; }

# A key held long enough for the game's 25 polls a second to see it.
press() {
  xdotool keydown "$1"
  sleep 0.12
  xdotool keyup "$1"
}

game_running() { [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; }

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

# The X server picks a free display and tells its number.
Xvfb -displayfd 3 -screen 0 1280x960x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for "X server" 20 test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
wait_for "X server answering" 20 xdotool getdisplaygeometry

# In a sanitizer build the leak check stays with the headless whole-game
# tests: under X the video library loads and unloads desktop libraries whose
# leftovers can no longer be told apart from the game's.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$game" >"$work/game.out" \
  2>"$work/game.err" &
game_pid=$!

wait_for "title picture" 60 screen_shows title
# Keys go to the game's window. It may have been made anew while the screen
# was set up, so it is looked up only now that the title shows.
window=$(xdotool search --name '^Test Window$' 2>/dev/null | head -n1) || true
if [ -n "$window" ]; then
  timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
fi
timeout 5 xdotool mousemove --sync 640 480 2>/dev/null || true

press_until "first piece in the well" 30 Return screen_shows play
column=$(piece_column)
row=$(piece_row)
[ "$column" = 4 ] || fail "the first piece came in at column $column, not 4"
[ "$row" -ge 0 ] && [ "$row" -le 5 ] || fail "the first piece is at row $row, not at the top"

press_until "the piece moved right" 20 Right piece_moved_right
press space
sleep 0.3

press_until "the pause" 30 Return paused
cp "$work/paused-b.png" "$work/pause.png"
press_until "play to go on after the pause" 20 Return resumed

press_until "end screen" 30 Escape screen_shows end
press_until "the game to end after Return on the end screen" 30 Return game_ended
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game exited with $status"

# The sound written while playing: unsigned 8-bit mono at 22050 per second.
[ -s "$work/audio.raw" ] || fail "no sound was written"
rms=$(sox -t raw -r 22050 -e unsigned-integer -b 8 -c 1 "$work/audio.raw" -n stat 2>&1 |
  awk '/^RMS +amplitude/ {print $3}')
awk -v rms="$rms" 'BEGIN { exit !(rms > 0.001) }' || fail "the sound written is silent (RMS $rms)"
# A display that goes away ends the game, rather than leaving it running.
SDL_AUDIODRIVER=dummy "$game" >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
wait_for "title picture again" 60 screen_shows title
stop "$xvfb_pid"
xvfb_pid=""
for _ in $(seq 100); do
  game_running || break
  sleep 0.1
done
game_running && fail "the game kept running after its display went away"
wait "$game_pid" || true
game_pid=""

echo "played: title, piece at column $column row $row, moves, pause, end screen; sound RMS $rms;" \
  "the game ended with its display"
