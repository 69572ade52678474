# Sourced by the benchmark scripts: configures $build_dir as Release when it is
# new (benchmarks on), builds one target, warns when the build is not optimised, makes the
# work folder $work_dir, and runs a target once per database size.
#   build_bench_target TARGET
build_bench_target() {
  build_dir="${BUILD_DIR:-build}"
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DNUMERON_BENCH=ON
  elif ! grep -q '^NUMERON_BENCH:BOOL=ON' "$build_dir/CMakeCache.txt"; then
    cmake -S . -B "$build_dir" -DNUMERON_BENCH=ON
  fi
  cmake --build "$build_dir" -j"$(nproc)" --target "$1"
  local build_type
  build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build_dir/CMakeCache.txt")"
  echo "Build directory: $build_dir (build type: ${build_type:-none})"
  case "$build_type" in
    Release | RelWithDebInfo | MinSizeRel) ;;
    *) echo "WARNING: the build is not optimised; figures will be slower than a Release build." ;;
  esac
  work_dir="$build_dir/bench-work"
  mkdir -p "$work_dir"
}

# Runs the built TARGET once per size in $sizes (ROWS WORKDIR), one process per
# size so that each peak-memory figure belongs to one size alone; returns the
# last failing status.
#   run_bench_sizes TARGET
run_bench_sizes() {
  local status=0 rows
  for rows in $sizes; do
    echo
    echo "=== $rows draws (synthetic data) ==="
    QT_QPA_PLATFORM=offscreen "$build_dir/$1" "$rows" "$work_dir" || status=$?
  done
  return "$status"
}
