#!/usr/bin/env bash
# Installs what is missing, builds the program with its tests and benchmarks,
# and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DNUMERON_TESTS=ON -DNUMERON_BENCH=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
