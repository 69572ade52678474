#!/usr/bin/env bash
# Configures and builds everything into build/ (warnings as errors when
# NUMERON_WERROR=ON is in the environment).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DNUMERON_WERROR="${NUMERON_WERROR:-OFF}"
cmake --build build -j"$(nproc)"
