#!/usr/bin/env bash
# From exec to the first title frame on the screen, and the most memory the
# program ever holds, both under SDL's dummy video and audio drivers.
#
# Usage: bench/startup.sh BUILD_DIR [RUNS]
#
# Start-up: the script notes the time, then the program is started with the
# probe preloaded (bench/probe/stackwell_probe.cpp). The title is the first
# frame the program shows; the probe notes when its texture has been filled
# and SDL_RenderPresent has returned with it, which with the dummy driver is
# as far as a frame goes. The time between the two is the start-up: the
# dynamic loader, SDL's start, the window, the display, the keyboard, the
# sound device, the title picture and its music, and the first frame. RUNS
# start-ups (7 by default) are timed; the median is held against the target,
# and the fastest and slowest are shown too, with the processor time the
# program had used by its first frame: on a busy machine the wall-clock time
# also holds the waits for a core, which the processor time leaves out.
#
# Memory: one whole session under /usr/bin/time -v (title, a few seconds of
# play, the end screen), keys pressed by the probe; its peak resident set.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/probe/launch.sh"

[ $# -ge 1 ] || {
  echo "usage: $0 BUILD_DIR [RUNS]" >&2
  exit 2
}
probe_setup "$1"
runs=${2:-7}
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

report=$(mktemp)
usage=$(mktemp)
trap 'rm -f "$report" "$usage"' EXIT

times=()
cpu_times=()
for _ in $(seq "$runs"); do
  launch_game "" "$report"
  for _ in $(seq 500); do
    grep -q first-frame-us "$report" && break
    sleep 0.01
  done
  kill -KILL "$GAME_PID" 2>/dev/null || true
  wait "$LAUNCHED_PID" 2>/dev/null || true
  microseconds=$(awk '/first-frame-us/ { print $2; exit }' "$report")
  if [ -z "$microseconds" ]; then
    echo "the program showed no frame within 5 s" >&2
    exit 1
  fi
  times+=("$microseconds")
  cpu_times+=("$(awk '/first-frame-cpu-us/ { print $2; exit }' "$report")")
done
median() {
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
fastest=$(echo "$sorted" | head -1 | awk '{ printf "%.1f", $1 / 1000 }')
slowest=$(echo "$sorted" | tail -1 | awk '{ printf "%.1f", $1 / 1000 }')
echo "start-ups in ms: $(echo "$sorted" | awk '{ printf "%.1f ", $1 / 1000 }')" \
  "(load average $(cut -d' ' -f1 /proc/loadavg) on $(nproc) cores)"
figure FIGURE "from exec to the first title frame, median of $runs, SDL dummy drivers" \
  "$(median "${times[@]}")" ms "<=" 100
figure INFO "from exec to the first title frame, fastest of $runs" "$fastest" ms "<=" 100
figure INFO "from exec to the first title frame, slowest of $runs" "$slowest" ms "<=" 100
figure INFO "processor time used by the first title frame, median of $runs" \
  "$(median "${cpu_times[@]}")" ms "<=" 100

# Title for 2 s, Return, play for 8 s, Escape, and Escape again on the end screen.
launch_game "2000:Return:150,10000:Escape:150,12000:Escape:150" "$report" \
  /usr/bin/time -v -o "$usage"
stop_game 20
peak_kb=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$usage")
if [ -z "$peak_kb" ]; then
  echo "no peak memory from /usr/bin/time" >&2
  exit 1
fi
figure FIGURE "peak resident memory of a session, SDL dummy drivers" \
  "$(awk -v k="$peak_kb" 'BEGIN { printf "%.1f", k / 1024 }')" MB "<=" 30
