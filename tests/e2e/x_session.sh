# The helpers of the whole-program runs in a virtual X server, sourced by
# tests/e2e/play_under_x.sh and tests/win32/play_under_wine.sh, which set
# `probe` (the screen probe) and `data` (the folder of the picture files it
# compares with) and may define `close_services`, run before the X server goes.
# With E2E_SHOTS=folder the screenshots are kept there as PNG files. They are
# copies of the screen Xvfb keeps in a file (-fbdir), a millisecond each.

# Skips the test when a tool it needs is missing.
need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
  done
}

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
screen=$work/Xvfb_screen0

# Ends a process this script started: asked first, then forced.
stop() {
  [ -n "$1" ] && kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null || true
}
cleanup() {
  stop "$game_pid"
  if declare -F close_services >/dev/null; then close_services; fi
  stop "$xvfb_pid"
  wait 2>/dev/null || true
  for shot in "$work"/*.xwd; do
    [ -n "${E2E_SHOTS:-}" ] && [ -f "$shot" ] && mkdir -p "$E2E_SHOTS" &&
      convert "xwd:$shot" "$E2E_SHOTS/$(basename "$shot" .xwd).png" 2>/dev/null || true
  done
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
      [ -s "$work/$log" ] && { echo "--- $log"; tail -n 40 "$work/$log"; }
    done
  } >&9
  exit 1
}
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

game_running() { [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; }
game_ended() { ! game_running; }
# Waits for the game to end; its exit code in ended_with.
wait_game() {
  ended_with=0
  wait "$game_pid" || ended_with=$?
  game_pid=""
}
# Gives the game the seconds given to end by itself; game_pid is left set
# when it did not.
ends_within() {
  local deadline=$((SECONDS + $1))
  while game_running && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  game_running || wait_game
}

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

# The X server of the given size (WIDTHxHEIGHT); it picks a free display and
# tells its number.
start_x() {
  Xvfb -displayfd 3 -screen 0 "${1}x24" -fbdir "$work" -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_for "X server" 20 test -s "$work/display"
  export DISPLAY=":$(head -n1 "$work/display")"
  wait_for "X server answering" 20 xdotool getdisplaygeometry
}

look() { (cd "$data" && "$probe" "$@"); }
shoot() { cp "$screen" "$work/$1.xwd"; }
# Succeeds when a fresh screenshot, kept as NAME.xwd, shows the screen NAME.
screen_shows() { shoot "$1" && look "$1" "$work/$1.xwd"; }
# The falling piece in the last play screenshot: its leftmost column, its top
# row or its shape.
piece() {
  look play "$work/play.xwd" | awk -v want="$1" '/^piece/ { column = $2; row = $3 }
    /^shape/ { sub(/^shape ?/, ""); shape = $0 }
    END { print want == "column" ? column : want == "row" ? row : shape }'
}

# A key pressed and let go at once, far shorter than the game's 40 ms between
# two reads of the keyboard: it must act exactly once.
tap() { xdotool key --delay 0 "$1"; }
# Taps the key once; the check must succeed within the time. The tap waits
# 0.15 s: read in the same pass as the last repeat of a Down just let go, it
# would be lost, since the game takes Down first.
tap_then() {
  local what=$1 seconds=$2 key=$3
  shift 3
  sleep 0.15
  tap "$key"
  wait_for "$what after one tap of $key" "$seconds" "$@"
}

# The pause draws nothing: the screen stands still.
paused() {
  sleep 0.4 && shoot paused-a && sleep 1.5 && shoot paused-b
  cmp -s "$work/paused-a.xwd" "$work/paused-b.xwd"
}
resumed() { shoot resumed && ! cmp -s "$work/paused-b.xwd" "$work/resumed.xwd"; }

# Holds the key down for the seconds given (0 for a tap) while the probe
# follows the falling piece, from 0.1 s before until 0.6 s after (1 s after a
# tap, which on a busy machine may show that late); let_go_at is the time in
# milliseconds, as in the probe's lines.
hold() {
  look watch "$(awk -v s="$2" 'BEGIN { print s + (s ? 0.7 : 1.1) }')" "$screen" >"$work/watch.trace" &
  local watcher=$!
  sleep 0.1
  if [ "$2" = 0 ]; then tap "$1"; else xdotool keydown "$1" && sleep "$2" && xdotool keyup "$1"; fi
  let_go_at=$(date +%s%3N)
  wait "$watcher"
}
# "TIME VALUE" each time the piece's column, row or shape changed in the last
# watch, from the time given on. A picture replaced within 20 ms, half a pass,
# was caught while the game drew the next one and is left out.
changes() {
  awk -v field="$1" -v from="${2:-0}" '$4 == 4 { time[n] = $1; line[n++] = $0 }
    END {
      for (i = 0; i < n; i++) {
        if (i + 1 < n && time[i + 1] - time[i] < 20) continue
        $0 = line[i]
        value = field == "column" ? $2 : field == "row" ? $3 : substr($0, index($0, $5))
        if (seen && value != last && $1 >= from) print $1, value
        last = value; seen = 1
      }
    }' "$work/watch.trace"
}
# How many times the piece's column, row or shape changed, from the time given.
count() { changes "$@" | wc -l | tr -d ' '; }
# The ms per column, row or turn the piece went, from its first to its last
# change: columns and rows that fell between two screenshots still count.
pace() {
  changes "$1" | awk -v field="$1" '{ if (!n++) { t0 = $1; v0 = $2 } t = $1; v = $2 }
    END { d = field == "shape" ? n - 1 : v > v0 ? v - v0 : v0 - v; print d ? int((t - t0) / d) : 0 }'
}
# Fails unless the number lies in the range, saying what was measured.
within() {
  awk -v n="$1" -v low="$2" -v high="$3" 'BEGIN { exit !(n >= low && n <= high) }' ||
    fail "$4: $1, not within $2..$3 (the probe's lines: $(tr '\n' ';' <"$work/watch.trace"))"
}

# The keys held in play, on the first piece of a game at the top of an empty
# well: Space turns it at most every 100 ms, Left and Right move it to the
# wall (`sideways`: the ms per column with Right held, every second pass,
# which the pass lose_every_game measures judges); nothing moves once a key is
# let go, and a tap after a hold acts exactly once. Screenshots lag a little
# on a busy machine: moves are timed from the first to the last.
check_held_keys() {
  if [ "$(piece shape)" = "0,0 0,1 1,0 1,1" ]; then
    echo "the first piece is the square, whose turns do not show: Space is not checked"
  else
    hold space 0.4
    within "$(count shape)" 2 8 "turns with Space held 0.4 s"
    within "$(pace shape)" 95 1000 "with Space held, ms between two turns"
    within "$(count shape "$((let_go_at + 300))")" 0 0 "turns after Space was let go"
    hold space 0
    within "$(count shape)" 1 1 "turns after one tap of Space"
  fi
  # Right goes from the left wall, the longest way, which its pace is taken on.
  for key in Left Right; do
    hold "$key" "$([ "$key" = Left ] && echo 0.4 || echo 0.7)"
    # At most nine: a bar stood upright crosses the whole well.
    within "$(count column)" 2 9 "moves with $key held"
    within "$(count column "$((let_go_at + 300))")" 0 0 "moves after $key was let go"
  done
  sideways=$(pace column)
  hold Left 0
  within "$(count column)" 1 1 "moves after one tap of Left"
}

# Plays pieces as the probe plans them (screen_probe place) until a row is
# filled: one key at a time, each seen to act before the next, then Down held
# until the next piece shows. The well holding fewer blocks then than before
# is the row gone, marked `clear`. A sideways tap in the pass right after a
# move, or Space within 100 ms of a turn, is rightly not acted on: each key
# waits 0.15 s after the last one acted, and is tapped again if the piece
# has not changed a second later.
clear_a_row() {
  local key blocks piece acted acted_at dropped deadline
  planned() { shoot place && look place "$work/place.xwd" >"$work/plan" && read -r key blocks piece <"$work/plan"; }
  for _ in $(seq 25); do
    key="" acted="" acted_at=0 deadline=$((SECONDS + 30))
    until [ "$key" = Down ]; do
      [ $SECONDS -lt $deadline ] || fail "the piece was not placed: $(cat "$work/plan")"
      # Until the last key acted, or while no piece shows, the plan waits.
      if ! planned || [ "$key" = none ] ||
        { [ "$piece" = "$acted" ] && [ "$(date +%s%3N)" -lt $((acted_at + 1000)) ]; }; then
        key="" && continue
      fi
      [ "$key" = Down ] || { sleep 0.15; tap "$key"; acted=$piece; acted_at=$(date +%s%3N); }
    done
    dropped=$blocks
    xdotool keydown Down
    until [ "$blocks" != "$dropped" ]; do
      [ $SECONDS -lt $deadline ] || fail "the piece did not land: $(cat "$work/plan")"
      planned || true
    done
    xdotool keyup Down
    # A lost game leaves a well holding only the next game's first piece.
    [ "$blocks" -gt 4 ] || [ $(((dropped + 4 - blocks) % 10)) -eq 0 ] ||
      fail "a game was lost before a row was filled: $(cat "$work/plan")"
    if [ "$blocks" -lt "$dropped" ]; then mark clear && return 0; fi
  done
  fail "no row filled with 25 pieces"
}

# Down held from the first piece of the first game on: the piece drops a row
# each pass, and Left and Right held moved it every second pass; every game
# is lost and the end screen shows; Escape there ends the program.
lose_every_game() {
  tap_then "the first piece" 30 Return screen_shows play
  look watch 0.8 "$screen" >"$work/watch.trace" &
  local watcher=$! pass
  sleep 0.1
  xdotool keydown Down
  wait "$watcher"
  pass=$(pace row)
  within "$pass" 30 110 "with Down held, ms between two rows (one pass)"
  within "$sideways" "$((pass * 13 / 10))" "$((pass * 3))" "with Right held, ms between two moves"
  wait_for "end screen with Down held" 120 screen_shows end
  xdotool keyup Down
  tap_then "the game to end after Escape on the end screen" 30 Escape game_ended
  wait_game
  [ "$ended_with" -eq 0 ] || fail "after every game was lost the game exited with $ended_with"
}

# The sound the game made, as the sourcing script records it: the file
# `recording`, read by sox with the options in `recording_format`, of
# `bytes_per_second`. `mark NAME` notes how much of it was written when
# something happens, which places it in the sound whatever the delays before;
# `at NAME [SECONDS]` is that place, or the given seconds from it.
mark() { echo "$1 $(stat -c %s "$recording")" >>"$work/marks"; }
at() {
  awk -v name="$1" -v rate="$bytes_per_second" -v d="${2:-0}" '$1 == name { print $2 / rate + d }' \
    "$work/marks"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }
# The RMS amplitude of LENGTH seconds from START of a sound, or of its band of
# frequencies (Hz): rms START LENGTH [-band LOW-HIGH] INPUT...
rms() {
  local start=$1 length=$2 band=()
  shift 2
  [ "$1" != -band ] || { band=(sinc "$2"); shift 2; }
  sox "$@" -n remix - trim "$start" "$length" "${band[@]}" stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'
}
# The frequency of the most power, summed over the stretch: pitch START LENGTH INPUT...
pitch() {
  sox "${@:3}" -n remix - trim "$1" "$2" stat -freq 2>&1 |
    awk 'NF == 2 && $1 > 50 && $1 < 5000 { power[$1] += $2 }
      END { for (f in power) if (power[f] > most) { most = power[f]; strongest = f } print strongest }'
}
# The title music at the pitch of its file, the play music before the pause
# and silence during it (marks `title` and `pause`); then the row-clear sound
# at the removal (mark `clear`, taken when a screenshot showed the row gone, a
# little after the sound began): crunch.wav's cracks lie between 2.5 and
# 4.5 kHz, where the play music is faint. The loudest 0.3 s of that band from
# a second before the mark must be as loud as in crunch.wav and far louder
# than any of the 3 s before (`crunch`, `music`).
check_sound() {
  local heard=("${recording_format[@]}" "$recording") want got
  want=$(pitch 0.3 3 "$data/superhappy.wav")
  got=$(pitch "$(at title)" 3 "${heard[@]}")
  within "$(ratio "$got" "$want")" 0.97 1.03 "the title music's pitch over its file's ($got Hz, not $want Hz)"
  within "$(rms "$(at pause -2)" 1.5 "${heard[@]}")" 0.01 1 "the RMS of the play music before the pause"
  within "$(rms "$(at pause 0.7)" 1 "${heard[@]}")" 0 0.002 "the RMS of the sound during the pause"
  loudest() {
    for offset in $(seq "$1" 0.1 "$2"); do
      rms "$(at clear "$offset")" 0.3 -band 2500-4500 "${heard[@]}"
    done | sort -g | tail -n1
  }
  want=$(rms 0 0.3 -band 2500-4500 "$data/crunch.wav")
  crunch=$(loudest -1 0.5)
  music=$(loudest -4 -1.3)
  within "$(ratio "$crunch" "$want")" 0.8 1.5 \
    "the row-clear sound's RMS at 2.5-4.5 kHz over crunch.wav's ($crunch, not $want)"
  within "$(ratio "$crunch" "$music")" 2 1000 \
    "the RMS at 2.5-4.5 kHz at the removal over the play music's before ($crunch, $music)"
}

# The run from the title on, as a player plays it: the title music heard for
# a while, the first piece at the top of column 4, the held keys, the pause, a
# row filled and cleared, the end screen, and the game's end with status 0.
play_a_run() {
  mark title
  sleep 4
  tap_then "first piece in the well" 30 Return screen_shows play
  column=$(piece column)
  row=$(piece row)
  [ "$column" = 4 ] || fail "the first piece came in at column $column, not 4"
  [ "$row" -ge 0 ] && [ "$row" -le 5 ] || fail "the first piece is at row $row, not at the top"
  check_held_keys
  mark pause
  tap_then "the pause" 30 Return paused
  tap_then "play to go on after the pause" 20 Return resumed
  clear_a_row
  tap_then "end screen" 30 Escape screen_shows end
  tap_then "the game to end after Return on the end screen" 30 Return game_ended
  wait_game
  [ "$ended_with" -eq 0 ] || fail "the game exited with $ended_with"
}
