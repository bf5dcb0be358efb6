#!/usr/bin/env bash
# Checks that every #include between the game's folders points down the layers
# below, and prints each folder's dependencies. Exit 1 on any include that goes
# against them, listing file, line and include.
#
#   app          everything below
#   world        structures gameplay gui physics render audio base
#   structures   gameplay physics base
#   gameplay     gui physics render audio base
#   gui          render audio base
#   physics      render base
#   render       base
#   audio        base
#   base         nothing of the game
#
# tools/ (development programs) may use every folder; tests and benchmarks too.
# Usage: bash scripts/check_layers.sh [source root]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

declare -A allowed=(
  [base]=""
  [audio]="base"
  [render]="base"
  [physics]="render base"
  [gui]="render audio base"
  [gameplay]="gui physics render audio base"
  [structures]="gameplay physics base"
  [world]="structures gameplay gui physics render audio base"
  [app]="world structures gameplay gui physics render audio base"
)
order=(base audio render physics gui gameplay structures world app)

bad=0
for folder in "${order[@]}"; do
  declare -A used=()
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$rest")
    [ "$target" = "$folder" ] && continue
    [ -d "$target" ] || continue
    used[$target]=1
    if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "$file:$line: $folder may not include $(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$rest")"
      bad=1
    fi
  done < <(grep -rnE '^\s*#\s*include\s+"[a-z]+/' "$folder" --include='*.h' --include='*.cpp' | sed -E 's/:([0-9]+):\s*/:\1:/')
  printf '%-11s -> %s\n' "$folder" "$(printf "%s\n" "${!used[@]}" | sort | tr "\n" " ")"
  unset used
done
exit $bad
