#!/usr/bin/env bash
# The shape of the code, checked: which part may include which, and one name
# per file, so that a name in an include line or a stack trace means one file.
# Usage: check_layout.sh SOURCE_FOLDER
set -euo pipefail
cd "$1"
failed=0
complain() {
  echo "$*" >&2
  failed=1
}

sources() {
  find "$@" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.sh' -o -name '*.cmake' \) \
    -not -path '*/build*' 2>/dev/null
}

# The parts from the top down: a part includes only parts below itself.
# rules/ makes the one sound call that removing full rows makes.
allowed_below() {
  case $1 in
    app) echo "app flow rules video audio program platform" ;;
    flow) echo "flow rules video audio program platform" ;;
    video) echo "video rules program platform" ;;
    rules) echo "rules audio" ;;
    audio) echo "audio program platform" ;;
    program) echo "program platform" ;;
    platform) echo "platform" ;;
  esac
}
for part in app flow rules video audio program platform; do
  allowed=" $(allowed_below "$part") "
  while IFS=: read -r file _ included; do
    target=${included#*\"}
    target=${target%%/*}
    case $target in
      app | flow | rules | video | audio | program | platform) ;;
      *) continue ;;
    esac
    [[ $allowed == *" $target "* ]] || complain "$file includes $target/, above or beside $part/"
  done < <(grep -rn '^#include "' "$part" || true)
done

duplicates=$(sources app flow rules video audio program platform tools tests bench fuzz scripts \
  cmake | xargs -n1 basename | sort | uniq -d)
for name in $duplicates; do
  complain "$name names more than one file: $(sources . | grep "/$name\$" | tr '\n' ' ')"
done

exit $failed
