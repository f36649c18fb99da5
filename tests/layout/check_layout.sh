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
declare -A below=(
  [app]="flow rules video audio program platform"
  [flow]="rules video audio program platform"
  [video]="rules program platform"
  [rules]="audio"
  [audio]="program platform"
  [program]="platform"
  [platform]=""
)
parts=" ${!below[*]} "
for part in "${!below[@]}"; do
  allowed=" $part ${below[$part]} "
  while IFS=: read -r file _ included; do
    target=${included#*\"}
    target=${target%%/*}
    [[ $parts != *" $target "* || $allowed == *" $target "* ]] ||
      complain "$file includes $target/, above or beside $part/"
  done < <(grep -rn '^#include "' "$part" || true)
done

duplicates=$(sources app flow rules video audio program platform tools tests bench fuzz scripts \
  cmake | xargs -n1 basename | sort | uniq -d)
for name in $duplicates; do
  complain "$name names more than one file: $(sources . | grep "/$name\$" | tr '\n' ' ')"
done

exit $failed
