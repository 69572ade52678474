#!/usr/bin/env bash
# Builds the view benchmark and runs it on synthetic databases of 10,000 and
# 1,000,000 draws, one process per size so that each peak-memory figure
# belongs to one size alone. Every view is timed in turns with its reference
# in the same run: a list view against the sqlite3 shell (Debian package
# sqlite3) printing the rows of the same query to /dev/null, the chart re-read
# against the frequency table. The table shows both medians and their ratio.
# The databases are kept in <build>/bench-work and reused by later runs.
#
#   bench/run_benchmarks.sh            # uses build/ (configured as Release when new)
#   BUILD_DIR=build-rel bench/run_benchmarks.sh
#   BENCH_SIZES="10000 100000" bench/run_benchmarks.sh
#   BENCH_RUNS=21 bench/run_benchmarks.sh  # runs per command (default 11)
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="${BENCH_SIZES:-10000 1000000}"
. bench/build_target.sh
build_bench_target numeron_bench_views
run_bench_sizes numeron_bench_views
