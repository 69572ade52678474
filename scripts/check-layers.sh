#!/usr/bin/env bash
# Holds the code to its floor plan. Each library folder may include headers of
# its own folder and of the libraries its CMakeLists.txt links (numeron_X is
# the library of folder X) and of no other; and the links between folders form
# no circle. Prints every breach and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layered folders: every top-level folder with a CMakeLists.txt, except
# the harnesses (tests, benchmarks, fuzzing) and the installation.
folders=()
for list in */CMakeLists.txt; do
  folder=${list%/CMakeLists.txt}
  case "$folder" in tests | bench | fuzz | packaging | build*) continue ;; esac
  folders+=("$folder")
done

declare -A uses
for folder in "${folders[@]}"; do
  uses[$folder]=$(grep -v '^ *#' "$folder/CMakeLists.txt" | grep -o 'numeron_[a-z]*' |
    sed 's/^numeron_//' | sort -u | grep -vx "$folder" | grep -vx options | tr '\n' ' ' || true)
done

status=0
for folder in "${folders[@]}"; do
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    [ "$target" = "$folder" ] && continue
    [ "$target" = "tests" ] && continue
    if [[ " ${uses[$folder]} " != *" $target "* ]]; then
      echo "$file:$line: includes ${include#*#include } but $folder/ does not link numeron_$target"
      status=1
    fi
  done < <(grep -rn --include='*.cpp' --include='*.h' -E '^#include "[a-z]+/' "$folder" |
    sed -E 's/^([^:]+):([0-9]+):(.*)$/\1:\2:\3/')
done

# No circle: a depth-first walk over the links.
declare -A state
walk() {
  local folder=$1 path=$2 next
  state[$folder]=open
  for next in ${uses[$folder]:-}; do
    [ -n "${uses[$next]+set}" ] || continue
    if [ "${state[$next]:-}" = open ]; then
      echo "circle: $path -> $next"
      status=1
    elif [ -z "${state[$next]:-}" ]; then
      walk "$next" "$path -> $next"
    fi
  done
  state[$folder]=done
}
for folder in "${folders[@]}"; do
  [ -z "${state[$folder]:-}" ] && walk "$folder" "$folder"
done

[ $status -eq 0 ] && echo "layers: ${#folders[@]} libraries, every include within its links, no circle"
exit $status
