#!/usr/bin/env bash
# The same build plays the scripted run twice and shows the same frames.
# Usage (in a run folder): repeat.sh FRAME_DUMP
set -euo pipefail
dump=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$dump" record "$out/first.frames"
"$dump" check "$out/first.frames"
