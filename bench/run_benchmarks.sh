#!/usr/bin/env bash
# Builds the view benchmark and runs it on synthetic databases of 10,000 and
# 1,000,000 draws, one process per size so that each peak-memory figure
# belongs to one size alone. The databases are kept in <build>/bench-work and
# reused by later runs.
#
#   bench/run_benchmarks.sh            # uses build/ (configured as Release when new)
#   BUILD_DIR=build-rel bench/run_benchmarks.sh
#   BENCH_SIZES="10000 100000" bench/run_benchmarks.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${BUILD_DIR:-build}"
sizes="${BENCH_SIZES:-10000 1000000}"

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build_dir" -j"$(nproc)" --target numeron_bench_views

build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build_dir/CMakeCache.txt")"
echo "Build directory: $build_dir (build type: ${build_type:-none})"
case "$build_type" in
  Release | RelWithDebInfo | MinSizeRel) ;;
  *) echo "WARNING: the build is not optimised; figures will be slower than a Release build." ;;
esac

work_dir="$build_dir/bench-work"
mkdir -p "$work_dir"
status=0
for rows in $sizes; do
  echo
  echo "=== $rows draws (synthetic data) ==="
  QT_QPA_PLATFORM=offscreen "$build_dir/numeron_bench_views" "$rows" "$work_dir" || status=$?
done
exit "$status"
