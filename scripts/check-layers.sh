#!/usr/bin/env bash
# Holds the code to its floor plan. Each library folder may include headers of
# its own folder and of the libraries its targets link, and of no other; the
# links between folders form no circle; and no folder below widgets/ (one
# whose targets do not link numeron_widgets, directly or through others)
# includes or links Qt Widgets (QtWidgets, QtCharts, QtPrintSupport).
#
# The link edges are CMake's own (cmake --graphviz on a scratch configure),
# so that a link written through a variable or a function counts and a name
# in a comment does not. A target belongs to the folder whose CMakeLists.txt
# defines it. Every #include is read: <...> and "...", indented directives
# ("  #  include"), and paths relative to the including file.
#
#   scripts/check-layers.sh [ROOT]      # the project at ROOT (default: this one)
#   scripts/check-layers.sh --self-test # the cases below, on small projects
#
# Prints every breach and exits 1 when there is one.
set -euo pipefail

check() {
  local root=$1 scratch status=0
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' RETURN
  if ! cmake -S "$root" -B "$scratch/build" --graphviz="$scratch/graph/links.dot" \
    -DNUMERON_TESTS=OFF -DNUMERON_BENCH=OFF -DNUMERON_FUZZ=OFF >"$scratch/cmake.log" 2>&1; then
    echo "cmake could not configure $root:"
    tail -20 "$scratch/cmake.log"
    return 1
  fi

  # The layered folders: every top-level folder with a CMakeLists.txt, except
  # the harnesses (tests, benchmarks, fuzzing) and the installation.
  local -a folders=()
  local -A folder_of=() uses=() layered=()
  local list folder name
  for list in "$root"/*/CMakeLists.txt; do
    folder=${list%/CMakeLists.txt}
    folder=${folder##*/}
    case "$folder" in tests | bench | fuzz | packaging | build*) continue ;; esac
    folders+=("$folder")
    layered[$folder]=1
    for name in $(grep -v '^ *#' "$list" |
      sed -nE 's/.*(numeron_library|add_library|add_executable)\([[:space:]]*([A-Za-z0-9_.+-]+).*/\2/p'); do
      folder_of[$name]=$folder
    done
  done

  # Folder edges from the target edges of the graph.
  local -A label=()
  local id text from to
  while IFS= read -r text; do
    if [[ $text =~ ^[[:space:]]*\"(node[0-9]+)\"\ \[\ label\ =\ \"([^\"]+)\" ]]; then
      label[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}
    elif [[ $text =~ ^[[:space:]]*\"(node[0-9]+)\"\ -\>\ \"(node[0-9]+)\" ]]; then
      from=${label[${BASH_REMATCH[1]}]:-}
      to=${label[${BASH_REMATCH[2]}]:-}
      from=${folder_of[$from]:-}
      [ -n "$from" ] || continue
      case "$to" in
        Qt6::Widgets | Qt6::Charts | Qt6::PrintSupport) uses[$from]+=" qt-widgets" ;;
        *) [ -n "${folder_of[$to]:-}" ] && [ "${folder_of[$to]}" != "$from" ] &&
          uses[$from]+=" ${folder_of[$to]}" ;;
      esac
    fi
  done <"$scratch/graph/links.dot"

  # At or above widgets/: widgets itself and whatever reaches it.
  local -A above=()
  reaches_widgets() {
    local f=$1 seen=" $2 " next
    [ "$f" = widgets ] && return 0
    for next in ${uses[$f]:-}; do
      [[ $seen == *" $next "* ]] && continue
      reaches_widgets "$next" "$seen $f" && return 0
    done
    return 1
  }
  for folder in "${folders[@]}"; do
    reaches_widgets "$folder" "" && above[$folder]=1
    if [ -z "${above[$folder]:-}" ] && [[ " ${uses[$folder]:-} " == *" qt-widgets "* ]]; then
      echo "$folder/: links Qt Widgets but is below widgets/"
      status=1
    fi
  done

  # Qt Widgets headers by name: those of the QtWidgets, QtCharts and
  # QtPrintSupport include folders.
  local -A widget_header=()
  local dir header
  for dir in $(find /usr/include /usr/local/include -maxdepth 4 -type d \
    \( -name QtWidgets -o -name QtCharts -o -name QtPrintSupport \) 2>/dev/null); do
    for header in "$dir"/Q*; do
      header=${header##*/}
      [[ $header == *.h ]] || widget_header[$header]=1
    done
  done
  widget_header[QtWidgets]=1
  widget_header[QtCharts]=1
  widget_header[QtPrintSupport]=1

  local file line path target resolved widget
  for folder in "${folders[@]}"; do
    while IFS=: read -r file line text; do
      [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\<\"])([^\>\"]+)[\>\"] ]] || continue
      path=${BASH_REMATCH[2]}
      target=
      if [[ $path == */* ]]; then
        case "${path%%/*}" in QtWidgets | QtCharts | QtPrintSupport) widget=1 ;; *) widget= ;; esac
      else
        widget=${widget_header[$path]:-}
      fi
      if [ -n "$widget" ]; then
        if [ -z "${above[$folder]:-}" ]; then
          echo "${file#"$root"/}:$line: includes <$path>, a Qt Widgets header, below widgets/"
          status=1
        fi
        continue
      fi
      # A quoted path is looked for beside the including file first.
      if [[ $path == ./* || $path == ../* ]] ||
        { [ "${BASH_REMATCH[1]}" = '"' ] && [ -f "${file%/*}/$path" ]; }; then
        resolved=$(realpath -m --relative-to="$root" "${file%/*}/$path")
        target=${resolved%%/*}
        [[ $resolved == */* ]] || target=
      elif [[ $path == */* ]]; then
        target=${path%%/*}
      fi
      [ -n "$target" ] && [ "$target" != "$folder" ] || continue
      if [ -z "${layered[$target]:-}" ]; then
        [[ $path == ./* || $path == ../* ]] || continue # a system or package header
        echo "${file#"$root"/}:$line: includes $path, outside the libraries"
        status=1
      elif [[ " ${uses[$folder]:-} " != *" $target "* ]]; then
        echo "${file#"$root"/}:$line: includes $path but $folder/ does not link $target/"
        status=1
      fi
    done < <(grep -rnE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include' \
      "$root/$folder" || true)
  done

  # No circle: a depth-first walk over the folder links.
  local -A state=()
  walk() {
    local f=$1 trail=$2 next
    state[$f]=open
    for next in ${uses[$f]:-}; do
      [ -n "${layered[$next]:-}" ] || continue
      if [ "${state[$next]:-}" = open ]; then
        echo "circle: $trail -> $next"
        status=1
      elif [ -z "${state[$next]:-}" ]; then
        walk "$next" "$trail -> $next"
      fi
    done
    state[$f]=done
  }
  for folder in "${folders[@]}"; do
    [ -z "${state[$folder]:-}" ] && walk "$folder" "$folder"
  done

  [ $status -eq 0 ] && echo "layers: ${#folders[@]} libraries, every include within its links, no circle"
  return $status
}

# The self-test: small projects (interface libraries, no compiler) each with
# one case, and what the check must say of it.
self_test() {
  local work failures=0
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  # fixture NAME: low/ (numeron_low), mid/ (numeron_mid), high/ (numeron_high
  # linking low), widgets/ (numeron_widgets), every header including nothing.
  fixture() {
    local dir="$work/$1" f
    rm -rf "$dir"
    for f in low mid high widgets; do
      mkdir -p "$dir/$f"
      printf '#pragma once\n' >"$dir/$f/${f^}.h"
      printf '#include "%s/%s.h"\n' "$f" "${f^}" >"$dir/$f/${f^}.cpp"
      printf 'add_library(numeron_%s INTERFACE)\n' "$f" >"$dir/$f/CMakeLists.txt"
    done
    echo 'target_link_libraries(numeron_high INTERFACE numeron_low)' >>"$dir/high/CMakeLists.txt"
    printf 'cmake_minimum_required(VERSION 3.22)\nproject(fixture LANGUAGES NONE)\n%s\n' \
      "$(printf 'add_subdirectory(%s)\n' low mid high widgets)" >"$dir/CMakeLists.txt"
    echo "$dir"
  }
  # expect NAME PATTERN DIR: the check of DIR fails with PATTERN in its output
  # (or passes, for PATTERN "pass").
  expect() {
    local name=$1 pattern=$2 dir=$3 output result=0
    output=$(check "$dir" 2>&1) || result=$?
    if { [ "$pattern" = pass ] && [ $result -eq 0 ]; } ||
      { [ "$pattern" != pass ] && [ $result -ne 0 ] && grep -q -- "$pattern" <<<"$output"; }; then
      echo "ok: $name"
    else
      echo "FAILED: $name (expected: $pattern)"
      printf '%s\n' "$output" | sed 's/^/    /'
      failures=$((failures + 1))
    fi
  }
  local d
  d=$(fixture clean)
  printf '#include "low/Low.h"\n#include "Own.h"\n#include <QString>\n#include <vector>\n' \
    >"$d/high/High.cpp"
  touch "$d/high/Own.h"
  expect "includes within the links pass" pass "$d"
  d=$(fixture angle)
  echo '#include <mid/Mid.h>' >>"$d/high/High.cpp"
  expect "an include in angle brackets" "High.cpp:2: includes mid/Mid.h but high/ does not link mid/" "$d"
  d=$(fixture indented)
  printf '#if 1\n  #  include "mid/Mid.h"\n#endif\n' >>"$d/high/High.cpp"
  expect "an indented directive" "High.cpp:3: includes mid/Mid.h" "$d"
  d=$(fixture relative)
  echo '#include "../mid/Mid.h"' >>"$d/high/High.cpp"
  expect "a relative path" "includes ../mid/Mid.h but high/ does not link mid/" "$d"
  d=$(fixture outside)
  mkdir -p "$d/tests" && touch "$d/tests/Helper.h"
  echo '#include "../tests/Helper.h"' >>"$d/low/Low.cpp"
  expect "a relative path out of the libraries" "includes ../tests/Helper.h, outside the libraries" "$d"
  d=$(fixture widget-header)
  echo '#include <QPushButton>' >>"$d/low/Low.h"
  expect "a Qt Widgets header below widgets/" "includes <QPushButton>, a Qt Widgets header" "$d"
  d=$(fixture widget-module)
  echo '#include <QtWidgets/QWidget>' >>"$d/low/Low.cpp"
  expect "a Qt Widgets module path below widgets/" "includes <QtWidgets/QWidget>" "$d"
  d=$(fixture widget-above)
  echo '#include <QWidget>' >>"$d/widgets/Widgets.cpp"
  echo 'target_link_libraries(numeron_high INTERFACE numeron_widgets)' >>"$d/high/CMakeLists.txt"
  echo '#include <QWidget>' >>"$d/high/High.cpp"
  echo '#include "widgets/Widgets.h"' >>"$d/high/High.cpp"
  expect "Qt Widgets at and above widgets/" pass "$d"
  d=$(fixture variable-link)
  printf 'set(libs numeron_mid)\ntarget_link_libraries(numeron_high INTERFACE ${libs})\n' \
    >>"$d/high/CMakeLists.txt"
  echo '#include "mid/Mid.h"' >>"$d/high/High.cpp"
  expect "a link through a variable counts" pass "$d"
  d=$(fixture comment-link)
  printf '# numeron_mid is not linked\nmessage(STATUS "numeron_mid")\n' >>"$d/high/CMakeLists.txt"
  echo '#include "mid/Mid.h"' >>"$d/high/High.cpp"
  expect "a name in a comment is no link" "does not link mid/" "$d"
  d=$(fixture circle)
  echo 'target_link_libraries(numeron_low INTERFACE numeron_mid)' >>"$d/low/CMakeLists.txt"
  echo 'target_link_libraries(numeron_mid INTERFACE numeron_high)' >>"$d/mid/CMakeLists.txt"
  expect "a circle of links" "circle: " "$d"
  [ $failures -eq 0 ] && echo "check-layers self-test: every case as expected"
  return $((failures > 0))
}

if [ "${1:-}" = --self-test ]; then
  self_test
else
  check "$(realpath "${1:-$(dirname "$0")/..}")"
fi
