#!/usr/bin/env bash
# Times numeron-cli import of a synthetic 10,000-draw CSV history, the whole
# process, against a plain csv + sqlite3 script (bench/baseline_csv_import.py)
# in the same run, and prints both times, the ratio and the peak memory
# (see bench/csv_import_benchmark.py).
#
#   bench/run_csv_import_benchmark.sh             # uses build/ (Release when new)
#   BUILD_DIR=build-rel RUNS=21 ROWS=10000 bench/run_csv_import_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/build_target.sh
build_bench_target numeron-cli
cmake --build "$build_dir" -j"$(nproc)" --target numeron_setup > /dev/null
/usr/bin/python3 bench/csv_import_benchmark.py --build "$build_dir" --work "$work_dir" \
  --rows "${ROWS:-10000}" --runs "${RUNS:-11}"
