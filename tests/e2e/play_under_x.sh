#!/usr/bin/env bash
# Plays the built game in a virtual X server: the title, a piece moved and
# turned, a pause, Escape, the end screen and Return; checks the screen at
# each step, the exit code and the sound the game wrote. Then starts it again
# and takes the X server away: the game must end.
#
# Every key is an instant tap, pressed and let go at once, which always falls
# between two reads of the keyboard; each tap is sent once and must act
# exactly once.
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

# The test's own output, also from checks whose output goes to a file.
exec 9>&1
fail() {
  trap - ERR
  {
    echo "FAILED: $*"
    for log in game.err xvfb.log; do
      [ -s "$work/$log" ] && { echo "--- $log"; cat "$work/$log"; }
    done
  } >&9
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
# The falling piece in the last play screenshot: its leftmost column, its top
# row, its number of blocks and its shape.
piece_column() { "$probe" play "$work/last-play.ppm" | awk '/^piece/ {print $2}'; }
piece_row() { "$probe" play "$work/last-play.ppm" | awk '/^piece/ {print $3}'; }
piece_blocks() { "$probe" play "$work/last-play.ppm" | awk '/^blocks/ {print $2}'; }
piece_shape() { "$probe" play "$work/last-play.ppm" | sed -n 's/^shape //p'; }
# Succeeds when the piece stands in the column; fails the test when it went
# past it, which would be one tap taken for two moves.
piece_in_column() {
  screen_shows play || return 1
  local now
  now=$(piece_column)
  [ "$now" -ne "$1" ] || return 0
  [ "$now" -ne "$2" ] || fail "one tap moved the piece twice: column $now"
  return 1
}
piece_turned() { screen_shows play && [ "$(piece_blocks)" = 4 ] && [ "$(piece_shape)" != "$1" ]; }

# A key pressed and let go at once, far shorter than the game's 40 ms between
# two reads of the keyboard.
tap() {
  xdotool key --delay 0 "$1"
}

game_running() { [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; }

# Taps the key once; the check must succeed within the time.
tap_then() {
  local what=$1 seconds=$2 key=$3
  shift 3
  tap "$key"
  wait_for "$what after one tap of $key" "$seconds" "$@"
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

tap_then "first piece in the well" 30 Return screen_shows play
column=$(piece_column)
row=$(piece_row)
[ "$column" = 4 ] || fail "the first piece came in at column $column, not 4"
[ "$row" -ge 0 ] && [ "$row" -le 5 ] || fail "the first piece is at row $row, not at the top"

tap_then "the piece one column right" 10 Right piece_in_column 5 6
tap_then "the piece back in its column" 10 Left piece_in_column 4 3
shape=$(piece_shape)
if [ "$shape" = "0,0 1,0 0,1 1,1" ]; then
  tap space  # the square looks the same turned
else
  tap_then "the piece turned" 10 space piece_turned "$shape"
fi
sleep 0.3

tap_then "the pause" 30 Return paused
cp "$work/paused-b.png" "$work/pause.png"
tap_then "play to go on after the pause" 20 Return resumed

tap_then "end screen" 30 Escape screen_shows end
tap_then "the game to end after Return on the end screen" 30 Return game_ended
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
