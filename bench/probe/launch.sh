# Shell helpers for running the real program under watch; sourced by
# bench/cpu-usage.sh and bench/startup.sh.
#
# The program runs in the build's run folder with the probe library preloaded
# (bench/probe/stackwell_probe.cpp): it presses the keys of a script at given
# times, and notes when the first frame has been presented.

# probe_setup BUILD_DIR: checks that the program and the probe are built.
probe_setup() {
  BUILD_DIR=$(cd "$1" && pwd)
  RUN_DIR=$BUILD_DIR/run
  PROBE_LIBRARY=$BUILD_DIR/bench/libstackwell_probe.so
  if [ ! -x "$RUN_DIR/stackwell" ]; then
    echo "no program at $RUN_DIR/stackwell: build first" >&2
    return 1
  fi
  if [ ! -f "$PROBE_LIBRARY" ]; then
    echo "no probe library at $PROBE_LIBRARY: build with GAME_BENCHMARKS=ON" >&2
    return 1
  fi
  CLOCK_TICKS=$(getconf CLK_TCK)
}

now_ns() {
  date +%s%N
}

# launch_game KEYS REPORT [WRAPPER...]: starts the program in the background
# with the key script KEYS (see the probe) and the report file REPORT. The
# video and audio drivers come from SDL_VIDEODRIVER and SDL_AUDIODRIVER.
# Sets GAME_PID (the program itself, even under a wrapper) and START_NS.
launch_game() {
  local keys=$1 report=$2
  shift 2
  : >"$report"
  START_NS=$(now_ns)
  (
    cd "$RUN_DIR"
    exec "$@" env LD_PRELOAD="$PROBE_LIBRARY" STACKWELL_PROBE_KEYS="$keys" \
      STACKWELL_PROBE_START="$START_NS" STACKWELL_PROBE_REPORT="$report" ./stackwell
  ) >/dev/null 2>&1 &
  LAUNCHED_PID=$!
  GAME_PID=$LAUNCHED_PID
  if [ $# -gt 0 ]; then
    # Under a wrapper the program is the wrapper's child.
    local tries=0
    GAME_PID=""
    while [ -z "$GAME_PID" ] && [ $tries -lt 200 ]; do
      GAME_PID=$(pgrep -P "$LAUNCHED_PID" -x stackwell || true)
      [ -n "$GAME_PID" ] || sleep 0.01
      tries=$((tries + 1))
    done
  fi
}

# Seconds of processor time, user and system, of all the process's threads,
# in clock ticks.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  # The fields after the command name, which may hold spaces, in brackets.
  set -- ${stat##*) }
  echo $((${12} + ${13}))
}

# wait_until SECONDS: sleeps until SECONDS after START_NS.
wait_until() {
  local target_ns=$((START_NS + $1 * 1000000000))
  local left_ns=$((target_ns - $(now_ns)))
  if [ $left_ns -gt 0 ]; then
    sleep "$((left_ns / 1000000000)).$(printf '%09d' $((left_ns % 1000000000)))"
  fi
}

# stop_game SECONDS: waits up to SECONDS for the program to end by itself,
# then ends it.
stop_game() {
  local waited=0
  while kill -0 "$LAUNCHED_PID" 2>/dev/null && [ $waited -lt $(($1 * 10)) ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  if kill -0 "$LAUNCHED_PID" 2>/dev/null; then
    kill -TERM "$GAME_PID" 2>/dev/null || true
    sleep 1
    kill -KILL "$GAME_PID" 2>/dev/null || true
  fi
  wait "$LAUNCHED_PID" 2>/dev/null || true
}

# figure KIND WHAT VALUE UNIT BOUND TARGET [NOTE]: one line for
# bench/run-all.sh's summary, in the form the benchmark programs print, with
# the note (such as the runs behind a median) after the value.
figure() {
  local kind=$1 what=$2 value=$3 unit=$4 bound=$5 target=$6 note=${7:-} verdict
  if awk -v v="$value" -v t="$target" -v b="$bound" \
    'BEGIN { exit !((b == "<=" && v <= t) || (b == ">=" && v >= t)) }'; then
    verdict=ok
  else
    verdict=MISSED
  fi
  if [ "$kind" = INFO ]; then
    verdict="(for information)"
  fi
  echo "$kind $what: $value $unit${note:+ [$note]} (target $bound $target $unit) $verdict"
}
