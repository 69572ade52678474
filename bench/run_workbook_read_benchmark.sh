#!/usr/bin/env bash
# Builds the reader benchmark, makes a synthetic results workbook of 10,000
# rows (Debian's python3-xlsxwriter), saves it again as .xls with LibreOffice
# (libreoffice-calc-nogui, a development tool only) and times reading both.
#
#   bench/run_workbook_read_benchmark.sh
#   BUILD_DIR=build-rel ROWS=20000 bench/run_workbook_read_benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
rows="${ROWS:-10000}"
if ! command -v soffice >/dev/null; then
  echo "LibreOffice (soffice) is needed to save the workbook as .xls: apt-get install libreoffice-calc-nogui"
  exit 1
fi
. bench/build_target.sh
build_bench_target numeron_bench_workbook_read
xlsx="$work_dir/synthetic-results-$rows.xlsx"
xls="$work_dir/synthetic-results-$rows.xls"
[ -f "$xlsx" ] || /usr/bin/python3 tools/make_synthetic_workbook.py "$rows" "$xlsx"
if [ ! -f "$xls" ]; then
  # LibreOffice writes the short date as a format code of its own locale:
  # Russian, as in the operator's workbooks, so that both files read alike.
  profile="$(mktemp -d)"
  LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 soffice "-env:UserInstallation=file://$profile" \
    --headless --convert-to xls --outdir "$work_dir" "$xlsx" >/dev/null
  rm -rf "$profile"
fi
"$build_dir/numeron_bench_workbook_read" "$xls" "$xlsx" 5
