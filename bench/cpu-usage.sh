#!/usr/bin/env bash
# How much of one core the whole program takes on the title screen, in play
# at the starting speed with no key pressed, in play with Down held, paused
# and on the end screen: processor time (user and system, every thread) from
# /proc/<pid>/stat over a window of wall time in each state.
#
# Usage: bench/cpu-usage.sh BUILD_DIR [SECONDS] [RUNS]
#
# The program runs RUNS times (3 by default) under SDL's dummy video and audio
# drivers and as many times under a virtual X server (Xvfb) with SDL's x11
# video driver on each of three desktops, 640 x 480, 1920 x 1080 and
# 3840 x 2160, if Xvfb is installed: a real X server without a video card,
# where every pixel the program shows is drawn by the processor and handed to
# the X server, so the larger desktops show what a frame costs by its size.
# Each figure is the median of the runs, held against its target, with the
# runs and their spread beside it, so that one run disturbed by a busy machine
# does not decide it while a real miss still does. The load average is shown
# with each run. The virtual X servers take display numbers from
# STACKWELL_BENCH_DISPLAY (99 by default) upwards, skipping those in use.
#
# The dummy driver reads no keyboard, so in both cases the keys come from the
# preloaded probe (bench/probe/stackwell_probe.cpp), which presses them at set
# times: Return to leave the title, Down held, Return to pause, Return to go
# on, Escape to quit, and Escape again to close the end screen. Nothing else
# of the program is changed. Each window (SECONDS, 20 by default) begins a few
# seconds after the key that led into its state; the one with Down held lasts
# at most 10 s and begins a second after the press, since held Down fills the
# well in about ten seconds (a game that tops out starts the next of three).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/probe/launch.sh"

[ $# -ge 1 ] || {
  echo "usage: $0 BUILD_DIR [SECONDS] [RUNS]" >&2
  exit 2
}
probe_setup "$1"
window=${2:-20}
runs=${3:-3}
settle=3

# The timetable, in seconds from the start.
title_from=$settle
title_to=$((title_from + window))
leave_title=$((title_to + 1))
play_from=$((leave_title + settle))
play_to=$((play_from + window))
down_at=$((play_to + 1))
down_from=$((down_at + 1))
down_window=$((window < 10 ? window : 10))
down_to=$((down_from + down_window))
pause_at=$((down_to + 1))
pause_from=$((pause_at + settle))
pause_to=$((pause_from + window))
resume_at=$((pause_to + 1))
quit_at=$((resume_at + 2))
end_from=$((quit_at + settle))
end_to=$((end_from + window))
close_end_at=$((end_to + 1))
press() { echo "$(($1 * 1000)):$2:${3:-150}"; }
keys="$(press $leave_title Return),$(press $down_at Down $(((down_to - down_at) * 1000)))"
keys="$keys,$(press $pause_at Return),$(press $resume_at Return)"
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

load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# one_run: one run through the five states; prints "TITLE PLAY DOWN PAUSE END".
one_run() {
  local title play down pause end
  launch_game "$keys" "$report"
  title=$(percent_between $title_from $title_to) || title=""
  play=$(percent_between $play_from $play_to) || play=""
  down=$(percent_between $down_from $down_to) || down=""
  pause=$(percent_between $pause_from $pause_to) || pause=""
  end=$(percent_between $end_from $end_to) || end=""
  stop_game 10
  if [ -z "$title" ] || [ -z "$play" ] || [ -z "$down" ] || [ -z "$pause" ] || [ -z "$end" ]; then
    return 1
  fi
  echo "$title $play $down $pause $end"
}

# median_and_spread VALUES...: "MEDIAN SPREAD", the spread being the largest
# less the smallest.
median_and_spread() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 }
    END { printf "%.2f %.2f", v[int((NR + 1) / 2)], v[NR] - v[1] }'
}

# measure LABEL TITLE_TARGET PLAY_TARGET DOWN_TARGET PAUSE_TARGET END_TARGET:
# the runs, then one figure a state.
measure() {
  local label=$1
  shift
  local -a targets=("$@") names=("on the title screen" "while playing" "with Down held"
    "while paused" "on the end screen") columns=("" "" "" "" "")
  local run values state
  local -a values_of_run
  for run in $(seq "$runs"); do
    echo "$label, run $run of $runs: load average $(load_average) before"
    if ! values=$(one_run); then
      echo "the program ended before the measurement did ($label)" >&2
      return 1
    fi
    echo "  title, play, Down held, pause, end: $values (% of a core)"
    read -r -a values_of_run <<<"$values"
    for state in 0 1 2 3 4; do
      columns[state]="${columns[state]} ${values_of_run[state]}"
    done
  done
  for state in 0 1 2 3 4; do
    local median spread
    read -r -a values_of_run <<<"${columns[state]}"
    read -r median spread <<<"$(median_and_spread "${values_of_run[@]}")"
    figure FIGURE "CPU ${names[state]}, $label, median of $runs" "$median" "% of a core" "<=" \
      "${targets[state]}" "runs${columns[state]}, spread $spread"
  done
}

echo "Measuring the program's processor time: ${window} s in most states, $runs runs of about" \
  "$((close_end_at + 5)) s for each video driver and desktop; $(nproc) cores."
status=0
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy measure "SDL dummy drivers" 1.0 1.0 3.0 1.0 1.0 ||
  status=1

# under_xvfb WIDTHxHEIGHT TARGETS...: the runs on a virtual X server of that
# desktop size.
display=${STACKWELL_BENCH_DISPLAY:-99}
xvfb_pid=""
trap 'if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi; rm -f "$report"' EXIT
under_xvfb() {
  local size=$1
  shift
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
  done
  local result=0
  DISPLAY=":$display" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    measure "Xvfb ${size/x/ x } with SDL's x11 driver" "$@" || result=1
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  return $result
}

if command -v Xvfb >/dev/null 2>&1; then
  under_xvfb 640x480 1.0 1.5 3.0 1.0 1.0 || status=1
  under_xvfb 1920x1080 1.0 1.5 4.0 1.0 1.0 || status=1
  under_xvfb 3840x2160 1.0 2.0 8.0 1.0 1.0 || status=1
else
  echo "Xvfb is not installed: no figures under a virtual X server."
fi
exit $status
