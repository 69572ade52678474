#!/usr/bin/env bash
# Builds the import benchmark, makes a synthetic 10,000-row results workbook
# (Debian's python3-xlsxwriter) and times its import into an empty database,
# three runs, against the same import as a plain openpyxl + sqlite3 script
# (bench/baseline_openpyxl_import.py, Debian's python3-openpyxl) in the same
# run. Prints the median and its ratio to each of the script's modes; the goal
# is at most 0.2 of the script's default mode.
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
times=()
for run in 1 2 3; do
  echo "--- run $run"
  report="$(QT_QPA_PLATFORM=offscreen "$build_dir/numeron_bench_import" "$workbook" 2>/dev/null)"
  echo "$report"
  times+=("$(sed -n 's/^ *time: *\([0-9.]*\) ms$/\1/p' <<<"$report")")
done
echo "--- the same import in plain openpyxl + sqlite3, in the same run"
baseline="$(/usr/bin/python3 bench/baseline_openpyxl_import.py "$workbook")"
echo "$baseline"
median="$(printf '%s\n' "${times[@]}" | sort -g | sed -n 2p)"
default_ms="$(sed -n 's/^openpyxl (default mode).*: \([0-9.]*\) ms$/\1/p' <<<"$baseline")"
read_only_ms="$(sed -n 's/^openpyxl (read-only mode).*: \([0-9.]*\) ms$/\1/p' <<<"$baseline")"
awk -v m="$median" -v d="$default_ms" -v r="$read_only_ms" 'BEGIN {
  printf "--- median of the three imports: %.1f ms (synthetic data)\n", m
  printf "ratio to openpyxl default mode:   %.3f (goal <= 0.2: %s)\n", m / d, (m / d <= 0.2 ? "met" : "MISSED")
  printf "ratio to openpyxl read-only mode: %.3f\n", m / r
}'
