#!/usr/bin/env bash
# Builds the analysis benchmark and runs it on synthetic databases of 10,000
# and 1,000,000 draws, one process per size so that each peak-memory figure
# belongs to one size alone. The databases are kept in <build>/bench-work and
# shared with run_benchmarks.sh. The sqlite3 shell (Debian's sqlite3), when
# installed, gives a second reference.
#
#   bench/run_analysis_benchmark.sh
#   BUILD_DIR=build-rel BENCH_SIZES="10000 100000" bench/run_analysis_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="${BENCH_SIZES:-10000 1000000}"
. bench/build_target.sh
build_bench_target numeron_bench_analysis
run_bench_sizes numeron_bench_analysis
