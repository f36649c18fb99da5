#!/usr/bin/env bash
# The Windows build under Wine in a virtual X server: the win32 driver's
# contract suites, then the program played as tests/e2e/x_session.sh plays it,
# with Down held until every game is lost, closed with Alt+F4 in play, and
# started with no sound device.
# Usage: play_under_wine.sh BUILD_DIR, a Windows build (make windows) with the
# program and data in BUILD_DIR/run and BUILD_DIR/host-tools/screen_probe.
#
# Wine runs in a throwaway prefix, BUILD_DIR/win32-e2e/prefix, on a 640 x 480
# virtual desktop (without it the display mode cannot be set). Wine plays into
# a null sink of the test's own PulseAudio server, whose monitor is recorded:
# no sound card is needed. No sound device at all is Wine's audio driver
# setting left empty.
set -Eeuo pipefail

build=$(cd "$1" && pwd)
data=$build/run
game=$data/stackwell.exe
probe=$build/host-tools/screen_probe
driver_tests=$build/tests/win32_driver_tests.exe
# shellcheck source=tests/e2e/x_session.sh
. "$(dirname "$0")/../e2e/x_session.sh"
need wine Xvfb xdotool convert sox pulseaudio pactl parec
for file in "$game" "$probe" "$driver_tests"; do
  [ -f "$file" ] || fail "no $file (make windows builds it)"
done

mkdir -p "$build/win32-e2e"
export WINEPREFIX=$build/win32-e2e/prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export HOME=$work/home
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
pulse_pid=""
recorder_pid=""
close_services() {
  stop "$recorder_pid"
  # Wine's server and services for this prefix only.
  wineserver -k 2>/dev/null || true
  stop "$pulse_pid"
}
pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no \
  --load="module-null-sink sink_name=heard" --load=module-native-protocol-unix \
  >"$work/pulse.log" 2>&1 &
pulse_pid=$!
wait_for "PulseAudio" 20 pactl info
recording=$work/heard.raw
recording_format=(-t raw -r 44100 -e signed-integer -b 16 -c 2)
bytes_per_second=176400

# The game in the data folder given; with a second argument it must show
# its title picture, which the argument names.
start_game() {
  (cd "$1" && exec wine stackwell.exe) >"$work/game.out" 2>"$work/game.err" &
  game_pid=$!
  [ $# -lt 2 ] || wait_for "title picture $2" 90 screen_shows title
}
# Wine's audio driver: PulseAudio, or none at all.
sound_driver() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "$1" /f >/dev/null 2>&1
}
start_x 640x480
# The prefix once, then its desktop: a virtual one of 640 x 480.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot --init >"$work/wineboot.log" 2>&1 || fail "Wine could not make its prefix"
fi
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x480 /f >/dev/null 2>&1
# Without a graphics card Wine's OpenGL renderer draws on the processor and,
# with its command thread, takes a core for 25 frames a second: on a busy
# machine the game then waits a second or more between two passes, and held
# keys and taps act late. Its own renderer draws the same frames for far less.
wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d gdi /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 /f >/dev/null 2>&1
sound_driver pulse

# 0. The platform's contract on the win32 driver, on the same desktop and sound output.
(cd "$data" && wine "$driver_tests" --gtest_brief=1) >"$work/driver_tests.out" 2>&1 || {
  cat "$work/driver_tests.out"
  fail "the win32 driver's contract suites failed"
}

# 1. A whole run: title, play, held keys, pause, end screen, exit code 0; the
# sound heard all along.
parec -d heard.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=20 >"$recording" &
recorder_pid=$!
start_game "$data" "at start"
play_a_run
stop "$recorder_pid"
recorder_pid=""
check_sound

# 2. Down held from the first piece until every game is lost, on a data folder
# without the play music: the game plays on without it.
cp -r "$data" "$work/short"
rm "$work/short/techno.wav"
start_game "$work/short" "without the music"
lose_every_game

# 3. A close typed on the keyboard, which the system turns into a close
# request: in play the game ends when the piece has landed, without the end
# screen, as after any close.
start_game "$data" "before the close"
tap_then "a piece before the close" 30 Return screen_shows play
xdotool key alt+F4
xdotool keydown Down
ends_within 60
xdotool keyup Down
[ -z "$game_pid" ] || fail "Alt+F4 in play did not end the game"
[ "$ended_with" -eq 0 ] || fail "after Alt+F4 the game exited with $ended_with"

# 4. No sound device: start-up fails with exit code 1 and says why.
sound_driver ''
start_game "$data"
ends_within 60
[ -z "$game_pid" ] || fail "with no sound device the game kept running"
[ "$ended_with" -eq 1 ] || fail "with no sound device the game exited with $ended_with, not 1"
grep -q '^stackwell: cannot set up the sound device: ' "$work/game.err" ||
  fail "with no sound device the game did not say so"

# 5. The same, started as from the desktop, where standard error goes nowhere:
# the reason shows in a message box, and the game ends when it is closed.
# Wine's start gives the program no standard handles, as Explorer does.
(cd "$data" && exec wine start /wait stackwell.exe) >"$work/game.out" 2>&1 &
game_pid=$!
wait_for "the failure's message box" 60 xdotool search --name '^Stackwell$'
# Return to the box, again while the game runs: the box may be drawn anew.
answered() {
  xdotool search --name '^Stackwell$' | head -n1 | xargs -r -I{} xdotool key --window {} Return
  sleep 1
  game_ended
}
wait_for "the message box to end the game" 30 answered
wait_game
sound_driver pulse
[ "$ended_with" -eq 1 ] || fail "after the message box the game exited with $ended_with, not 1"

echo "played under Wine: piece at column $column row $row, the crunch at RMS $crunch (the" \
  "play music's $music); Alt+F4 in play; no sound device: $(head -n1 "$work/game.err")"
