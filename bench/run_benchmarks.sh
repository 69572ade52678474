#!/usr/bin/env bash
# Builds the view benchmark and runs it on synthetic databases of 10,000 and
# 1,000,000 draws, one process per size so that each peak-memory figure
# belongs to one size alone. The databases are kept in <build>/bench-work and
# reused by later runs.
#
#   bench/run_benchmarks.sh            # uses build/ (configured as Release when new)
#   BUILD_DIR=build-rel bench/run_benchmarks.sh
#   BENCH_SIZES="10000 100000" bench/run_benchmarks.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="${BENCH_SIZES:-10000 1000000}"
. bench/build_target.sh
build_bench_target numeron_bench_views
run_bench_sizes numeron_bench_views
