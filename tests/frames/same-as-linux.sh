#!/usr/bin/env bash
# A build for another system shows the same frames as the Linux build: both play the
# same scripted run (tests/frames/frame_dump.cpp), each in its own run folder;
# the Linux build records its frames and the other build checks its own
# against them byte for byte. Exits 77 (skipped) when the Linux build has no
# frame_dump: `make test-windows` builds it first.
set -euo pipefail
[ $# -ge 4 ] || {
  echo "usage: $0 LINUX_BUILD FRAME_DUMP RUN_DIR EMULATOR..." >&2
  exit 2
}
linux_build=$1
windows_dump=$2
windows_run=$3
shift 3
linux_dump=$linux_build/tests/frame_dump
if [ ! -x "$linux_dump" ]; then
  echo "no Linux build to compare with ($linux_dump): build the target frame_dump there first" >&2
  exit 77
fi

out=$(dirname "$windows_dump")/frames
mkdir -p "$out"
rm -f "$out/linux.frames"
echo "Linux:   $(cd "$linux_build/run" && "$linux_dump" record "$out/linux.frames")"
cd "$windows_run"
"$@" "$windows_dump" check "$out/linux.frames" | tr -d '\r'
