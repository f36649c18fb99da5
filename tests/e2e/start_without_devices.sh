#!/usr/bin/env bash
# The built game started where it cannot be seen or heard: with no display and
# no video driver chosen it must stop at start-up saying so, rather than play
# unseen on SDL's off-screen driver; with no sound device it must stop saying
# how to play silently. Usage: start_without_devices.sh PROGRAM
set -uo pipefail
game=${1:?usage: start_without_devices.sh PROGRAM}
status=0

# expect NAME WORDS ENV...: the game, run with the environment changed so,
# ends at start-up with the start-up failure code, 1, and WORDS on standard error.
expect() {
  local name=$1 words=$2 err code
  shift 2
  err=$(env "$@" timeout 20 "$game" 2>&1 >/dev/null)
  code=$?
  if [ "$code" -eq 1 ] && [[ "$err" == *"$words"* ]]; then
    echo "ok   $name: $err"
  else
    echo "FAIL $name: exit code $code, standard error: $err"
    status=1
  fi
}

expect "no display" "no display was found" \
  -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy
expect "no sound device" "SDL_AUDIODRIVER=dummy" \
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=no-such-device
exit $status
