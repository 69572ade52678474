#!/usr/bin/env bash
# Opens the hostile workbooks of the reader's tests at the scale of the
# reader's own limits (tests/hostile/, written by numeron_write_hostile_workbooks
# ... full), each in a process of its own, and prints the time and the peak
# memory of each against those of the synthetic 10,000-row results workbook
# (the reference, opened the same way in the same run).
#
#   bench/run_hostile_benchmark.sh           # uses build/ (Release when new)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/build_target.sh
build_bench_target numeron_bench_workbook_open
cmake --build "$build_dir" -j"$(nproc)" --target numeron_write_hostile_workbooks
hostile="$work_dir/hostile"
"$build_dir/numeron_write_hostile_workbooks" "$hostile" full >/dev/null
reference="$work_dir/synthetic-results-10000.xlsx"
[ -f "$reference" ] || /usr/bin/python3 tools/make_synthetic_workbook.py 10000 "$reference"

open_one() {
  "$build_dir/numeron_bench_workbook_open" "$1"
}
line="$(open_one "$reference")"
ref_ms="$(cut -f3 <<<"$line" | cut -d' ' -f1)"
ref_mib="$(cut -f4 <<<"$line" | cut -d' ' -f1)"
echo "Reference: $line"
printf '%-48s %10s %10s %8s %10s %7s  %s\n' workbook size time "x ref" peak "x ref" outcome
for workbook in "$hostile"/*.xlsx; do
  line="$(open_one "$workbook")"
  IFS=$'\t' read -r name size time peak outcome <<<"$line"
  ms="${time%% *}"
  mib="${peak%% *}"
  printf '%-48s %10s %10s %8s %10s %7s  %s\n' "$name" "$size" "$time" \
    "$(awk -v a="$ms" -v b="$ref_ms" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 1) }')" "$peak" \
    "$(awk -v a="$mib" -v b="$ref_mib" 'BEGIN { printf "%.2f", a / b }')" "$outcome"
done
