#!/usr/bin/env bash
# Builds the wheel benchmark and runs it: the exact check against the numpy reference script
# (Debian's python3-numpy) on the same tickets, the two 49-number wheels, how a stop and the
# time budget are kept on the largest wheel ("5 if 5" on 49), and the generated sizes against
# the published records for "3 if 3" and "4 if 4" on 7..30 numbers, each row with its goal, its
# ratio to the record and its origin. The size table runs one generation per row within the
# budget (default 10 s; --seconds 60 for the long one) at the lowest priority.
#
#   bench/run_wheels_benchmark.sh [--seconds S] [--from V] [--to V] [--skip-sizes]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=10 from=7 to=30 sizes=1
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --from) from="$2"; shift 2 ;;
    --to) to="$2"; shift 2 ;;
    --skip-sizes) sizes=0; shift ;;
    *) echo "usage: $0 [--seconds S] [--from V] [--to V] [--skip-sizes]" >&2; exit 2 ;;
  esac
done

. bench/build_target.sh
build_bench_target numeron_bench_wheels
bench="$build_dir/numeron_bench_wheels"
reference="$(pwd)/../shared/anchors/wheel_check_reference.py"
[ -f "$reference" ] || reference="/work/shared/anchors/wheel_check_reference.py"

echo "=== check speed ==="
"$bench" check "$work_dir" "$reference"
echo
echo "=== all 49 numbers ==="
nice -n 19 "$bench" lotto49 "$seconds"
echo
echo "=== stop and time budget ==="
nice -n 19 "$bench" stop "$seconds"
if [ "$sizes" = 1 ]; then
  echo
  echo "=== sizes against the records ==="
  nice -n 19 "$bench" sizes "$seconds" "$from" "$to"
fi
