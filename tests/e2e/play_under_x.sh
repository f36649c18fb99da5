#!/usr/bin/env bash
# Plays the built game in a virtual X server: the title, the keys held and
# tapped, a pause, pieces placed until a row is filled, Escape, the end
# screen and Return; checks the screen at each step, the exit code and the
# sound the game wrote.
# Then plays with Down held until every game is lost, and starts the game
# once more and takes the X server away: the game must end. The helpers are
# tests/e2e/x_session.sh's.
#
# Usage (from the run folder, where the data files lie):
#   play_under_x.sh STACKWELL SCREEN_PROBE
# With E2E_SHOTS=folder the screenshots are kept there.
set -Eeuo pipefail

game=$1
probe=$(realpath "$2")
data=$PWD
for tool in Xvfb xdotool convert sox; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (make test-deps installs it)"
    exit 77
  fi
done
# shellcheck source=tests/e2e/x_session.sh
. "$(dirname "$0")/x_session.sh"

# In a sanitizer build the leak check stays with the headless whole-game
# tests: under X the video library loads and unloads desktop libraries whose
# leftovers can no longer be told apart from the game's.
start_game() {
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    SDL_AUDIODRIVER=${1:-disk} SDL_DISKAUDIOFILE="$work/audio.raw" "$game" >"$work/game.out" \
    2>"$work/game.err" &
  game_pid=$!
  wait_for "title picture" 60 screen_shows title
  # Keys go to the game's window, which may have been made anew while the
  # screen was set up: it is looked up only now that the title shows.
  local window
  window=$(xdotool search --name '^Test Window$' 2>/dev/null | head -n1) || true
  [ -z "$window" ] || timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# The sound SDL's disk driver writes, at the pace it plays.
recording=$work/audio.raw
recording_format=(-t raw -r 22050 -e unsigned-integer -b 8 -c 1)
bytes_per_second=22050

start_x 640x480
start_game
timeout 5 xdotool mousemove --sync 639 479 2>/dev/null || true
mark title
sleep 4
play_a_run

check_sound
check_crunch

start_game dummy
lose_every_game
# A display that goes away ends the game, rather than leaving it running.
start_game dummy
stop "$xvfb_pid"
xvfb_pid=""
ends_within 10
[ -z "$game_pid" ] || fail "the game kept running after its display went away"

echo "played: title, piece at column $column row $row, taps, held keys, pause, a row filled," \
  "end screen; the title music at its pitch, a silent pause, the crunch at the row's removal" \
  "(RMS $crunch at 2.5-4.5 kHz, the play music's $music); Down held to the end of every game; the game ended with its display"
