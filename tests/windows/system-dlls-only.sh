#!/usr/bin/env bash
# A Windows program of this build imports only DLLs that every Windows has:
# the C and C++ runtimes of the compiler (libstdc++, libgcc, winpthread) are
# linked into it, so it runs on a machine with nothing installed.
#
# Usage: system-dlls-only.sh OBJDUMP PROGRAM.exe...
set -euo pipefail
objdump=$1
shift
# The system's own DLLs the game and its tests may use.
allowed='^(kernel32|user32|gdi32|msvcrt|ucrtbase|api-ms-win-.*|advapi32|shell32|ole32|oleaut32|ddraw|dinput8|dinput|dsound|winmm|imm32|version|shlwapi|comctl32|bcrypt|ws2_32|ntdll|rpcrt4)\.dll$'
failed=0
for program in "$@"; do
  dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
  echo "$(basename "$program"): $(echo $dlls)"
  while read -r dll; do
    [ -n "$dll" ] || continue
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "  $dll does not come with Windows" >&2
      failed=1
    fi
  done <<<"$dlls"
done
exit $failed
