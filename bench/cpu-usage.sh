#!/usr/bin/env bash
# How much of one core the whole program takes on the title screen, while
# playing and while paused: processor time (user and system, every thread)
# from /proc/<pid>/stat over a window of wall time in each state.
#
# Usage: bench/cpu-usage.sh BUILD_DIR [SECONDS]
#
# The program runs twice: under SDL's dummy video and audio drivers, where the
# target applies, and, for information, under a virtual X server (Xvfb) with
# SDL's x11 video driver, if Xvfb is installed. The dummy driver reads no
# keyboard, so in both runs the keys come from the preloaded probe
# (bench/probe/stackwell_probe.cpp), which adds pressed keys to SDL's key
# snapshot at set times: Return to leave the title, Return to pause, Return to
# go on, then Escape twice to quit and close the end screen. Nothing else of
# the program is changed. Each window (SECONDS, 20 by default) begins a few
# seconds after the key that led into its state.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/probe/launch.sh"

[ $# -ge 1 ] || {
  echo "usage: $0 BUILD_DIR [SECONDS]" >&2
  exit 2
}
probe_setup "$1"
window=${2:-20}
target_percent=1.5
settle=3

# The timetable, in seconds from the start.
title_from=$settle
title_to=$((title_from + window))
leave_title=$((title_to + 1))
play_from=$((leave_title + settle))
play_to=$((play_from + window))
pause_at=$((play_to + 1))
pause_from=$((pause_at + settle))
pause_to=$((pause_from + window))
resume_at=$((pause_to + 1))
quit_at=$((resume_at + 2))
close_end_at=$((quit_at + 2))
press() { echo "$(($1 * 1000)):$2:150"; }
keys="$(press $leave_title Return),$(press $pause_at Return),$(press $resume_at Return)"
keys="$keys,$(press $quit_at Escape),$(press $close_end_at Escape)"

report=$(mktemp)
trap 'rm -f "$report"' EXIT

# percent_between FROM TO: the program's share of one core between two
# points of the timetable.
percent_between() {
  wait_until "$1"
  local ticks_before wall_before ticks_after wall_after
  ticks_before=$(cpu_ticks "$GAME_PID") || return 1
  wall_before=$(now_ns)
  wait_until "$2"
  ticks_after=$(cpu_ticks "$GAME_PID") || return 1
  wall_after=$(now_ns)
  awk -v t=$((ticks_after - ticks_before)) -v hz="$CLOCK_TICKS" \
    -v ns=$((wall_after - wall_before)) 'BEGIN { printf "%.2f", 100 * t / hz / (ns / 1e9) }'
}

# measure KIND LABEL: one run through the three states.
measure() {
  local kind=$1 label=$2 title play pause
  launch_game "$keys" "$report"
  title=$(percent_between $title_from $title_to) || title=""
  play=$(percent_between $play_from $play_to) || play=""
  pause=$(percent_between $pause_from $pause_to) || pause=""
  stop_game $((close_end_at - pause_to + 5))
  if [ -z "$title" ] || [ -z "$play" ] || [ -z "$pause" ]; then
    echo "the program ended before the measurement did ($label)" >&2
    return 1
  fi
  figure "$kind" "CPU on the title screen, $label" "$title" "% of a core" "<=" $target_percent
  figure "$kind" "CPU while playing, $label" "$play" "% of a core" "<=" $target_percent
  figure "$kind" "CPU while paused, $label" "$pause" "% of a core" "<=" $target_percent
}

echo "Measuring the program's processor time: ${window} s in each state, about" \
  "$((close_end_at + 5)) s per run."
status=0
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy measure FIGURE "SDL dummy drivers" || status=1

if command -v Xvfb >/dev/null 2>&1; then
  display=99
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$report"' EXIT
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
  done
  DISPLAY=":$display" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    measure INFO "Xvfb with SDL's x11 driver" || status=1
else
  echo "Xvfb is not installed: no figures under a virtual X server."
fi
exit $status
