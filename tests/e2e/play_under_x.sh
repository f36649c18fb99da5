#!/usr/bin/env bash
# Plays the built game in a virtual X server (tests/e2e/x_session.sh's run,
# with the sound the game wrote), then with Down held until every game is
# lost, then takes the X server away from it: the game must end.
# Usage, from the run folder: play_under_x.sh STACKWELL SCREEN_PROBE
set -Eeuo pipefail

game=$1
probe=$(realpath "$2")
data=$PWD
# shellcheck source=tests/e2e/x_session.sh
. "$(dirname "$0")/x_session.sh"
need Xvfb xdotool convert sox

start_game() {
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
play_a_run

check_sound

start_game dummy
lose_every_game
# A display that goes away ends the game, rather than leaving it running.
start_game dummy
stop "$xvfb_pid"
xvfb_pid=""
ends_within 10
[ -z "$game_pid" ] || fail "the game kept running after its display went away"

echo "played: piece at column $column row $row, a row filled, the crunch at RMS $crunch (the" \
  "play music's $music); Down held to the end of every game; the game ended with its display"
