#!/usr/bin/env bash
# Builds the link-scan benchmark and runs it: the scan of synthetic results
# pages of 1 MiB and 16 MiB against a plain linear pass over the same bytes.
#
#   bench/run_link_scan_benchmark.sh            # uses build/ (Release when new)
#   BUILD_DIR=build-rel bench/run_link_scan_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/build_target.sh
build_bench_target numeron_bench_link_scan
"$build_dir/numeron_bench_link_scan"
