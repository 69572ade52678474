#!/usr/bin/env bash
# Times numeron-cli as whole processes against references measured in the
# same run (see bench/cli_benchmark.py):
#   - import of a synthetic 10,000-row workbook into an empty database, against
#     bench/baseline_openpyxl_import.py (Debian's python3-openpyxl) on the same
#     workbook (made with python3-xlsxwriter);
#   - export of 1,000,000 synthetic draws as CSV, against the sqlite3 shell's
#     `-header -csv` export of the same table (Debian's sqlite3).
#
#   bench/run_cli_benchmark.sh             # uses build/ (Release when new)
#   BUILD_DIR=build-rel RUNS=7 bench/run_cli_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/build_target.sh
build_bench_target numeron-cli
for target in numeron_setup numeron_bench_synthetic_db numeron_bench_import; do
  cmake --build "$build_dir" -j"$(nproc)" --target "$target" > /dev/null
done
command -v sqlite3 > /dev/null || { echo "needs the sqlite3 shell (Debian: sqlite3)"; exit 1; }

rows=10000
draws=1000000
workbook="$work_dir/synthetic-results-$rows.xlsx"
database="$work_dir/synthetic-draws-$draws.db"
[ -f "$workbook" ] || /usr/bin/python3 tools/make_synthetic_workbook.py "$rows" "$workbook"
"$build_dir/numeron_bench_synthetic_db" "$draws" "$database"
/usr/bin/python3 bench/cli_benchmark.py --build "$build_dir" --work "$work_dir" \
  --workbook "$workbook" --database "$database" --runs "${RUNS:-5}"
