#!/usr/bin/env bash
# The browser build's figures, each next to its target: what the page
# transfers (compressed as a static server would send it), the time from
# opening the page to the title on screen in headless Chromium, and one play
# frame's drawing in wasm against the same frame in the native build.
#
# Usage: bench/web.sh WEB_BUILD NATIVE_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
web=$(cd "$1" && pwd)
native=$(cd "$2" && pwd)
figure() {  # NAME VALUE UNIT TARGET: met when VALUE <= TARGET
  local verdict
  verdict=$(awk -v v="$2" -v t="$4" 'BEGIN { print (v <= t ? "met" : "MISSED") }')
  echo "FIGURE $1: $2 $3 (target at most $4 $3) $verdict"
}

bytes=0
for file in "$web"/site/*; do
  bytes=$((bytes + $(gzip -9 -c "$file" | wc -c)))
done
figure "the page's transfer, gzip-compressed" "$(awk -v b=$bytes 'BEGIN { printf "%.2f", b / 1048576 }')" MB 1.5

read -r title loads < <(node "$here/web/page_timing.mjs" "$web/site" 5)
echo "INFO opening the page to the title, each load: $loads ms"
figure "from opening the page to the title on screen" "$title" ms 1000

frame_us() { grep -o '[0-9.]* us' | awk '{print $1}'; }
wasm=$(cd "$web/run" && node --no-experimental-fetch ../bench/frame_timing.js | frame_us)
native_frame=$(cd "$native/run" && ../bench/frame_timing | frame_us)
echo "INFO one play frame's drawing: $wasm us in wasm, $native_frame us native"
figure "a play frame's drawing in wasm against native" \
  "$(awk -v w="$wasm" -v n="$native_frame" 'BEGIN { printf "%.2f", w / n }')" times 2
