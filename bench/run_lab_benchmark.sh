#!/usr/bin/env bash
# Builds the ticket lab benchmark and runs it on a synthetic database of 10,000
# draws: the filter count against filter_count_reference.py (/usr/bin/python3
# with Debian's python3-numpy) for 6/49, then for --game 5/36, 6/45 and 7/49
# (the reference needs some 35 s and 7 GB for 7/49), the backtest of 1,000 tickets against the
# bet check query run by the sqlite3 shell (Debian's sqlite3), and the p-value
# of 5,000 tickets over 2,500 draws by 2,000 relabellings against the plain
# relabelling ticket by ticket, each figure printed with its reference and the
# ratio, then the peak memory.
#
#   bench/run_lab_benchmark.sh
#   BUILD_DIR=build-rel BENCH_SIZES="10000 100000" bench/run_lab_benchmark.sh
#   FILTER_REFERENCE=/path/to/filter_count_reference.py bench/run_lab_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="${BENCH_SIZES:-10000}"
reference="${FILTER_REFERENCE:-$(pwd)/../shared/anchors/filter_count_reference.py}"
if [ ! -f "$reference" ]; then
  echo "filter_count_reference.py not found; set FILTER_REFERENCE" >&2
  exit 2
fi
. bench/build_target.sh
build_bench_target numeron_bench_lab
status=0
for rows in $sizes; do
  echo
  echo "=== $rows draws (synthetic data) ==="
  "$build_dir/numeron_bench_lab" "$rows" "$work_dir" "$reference" || status=$?
done
exit "$status"
