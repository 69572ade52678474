#!/usr/bin/env bash
# Builds the import benchmark, makes a synthetic 10,000-row results workbook
# (Debian's python3-xlsxwriter) and times its import into an empty database.
#
#   bench/run_import_benchmark.sh            # uses build/ (Release when new)
#   BUILD_DIR=build-rel ROWS=20000 bench/run_import_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
rows="${ROWS:-10000}"
. bench/build_target.sh
build_bench_target numeron_bench_import
workbook="$work_dir/synthetic-results-$rows.xlsx"
[ -f "$workbook" ] || /usr/bin/python3 tools/make_synthetic_workbook.py "$rows" "$workbook"
for run in 1 2 3; do
  echo "--- run $run"
  QT_QPA_PLATFORM=offscreen "$build_dir/numeron_bench_import" "$workbook"
done
echo "--- the same import in plain openpyxl + sqlite3, for comparison"
/usr/bin/python3 bench/baseline_openpyxl_import.py "$workbook"
