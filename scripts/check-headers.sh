#!/usr/bin/env bash
# Compiles every header of the libraries on its own, with the flags of the
# build in build/ (configure it first), so that each one includes what it
# uses. Prints the headers that do not compile. A list without "#pragma once"
# (an X-macro list such as cli/CommandList.h) is no header of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
flags=$(grep -o '"command": "[^"]*numeron_gui.dir[^"]*"' build/compile_commands.json | sed -n 1p |
  sed -E 's/"command": "[^ ]+ //; s/ -o [^ ]+//; s/ -c [^ ]+//; s/"$//')
status=0
for header in $(git ls-files '*.h' | grep -v '^tests/\|^bench/\|^fuzz/'); do
  grep -q '^#pragma once' "$header" || continue
  if ! echo "#include \"$header\"" | eval "c++ $flags -fsyntax-only -x c++ -" 2>/tmp/header-check.log; then
    echo "== $header"; head -5 /tmp/header-check.log; status=1
  fi
done
exit $status
