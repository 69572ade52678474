#!/usr/bin/env bash
# Configures and builds into build/ (warnings as errors when NUMERON_WERROR=ON
# is in the environment). Extra arguments go to the configure step, e.g.
# -DNUMERON_TESTS=ON -DNUMERON_BENCH=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DNUMERON_WERROR="${NUMERON_WERROR:-OFF}" "$@"
cmake --build build -j"$(nproc)"
