#!/usr/bin/env bash
# Calibration, power and speed of the randomness tests (see bench/bench_fairness.cpp):
# 10,000 synthetic fair histories of 2,500 draws (each test should reject
# 4.5-5.5% of them at alpha 0.05, the one overall verdict at most 5.5%),
# 10,000 histories where ball 1 is 10% more likely (power), 1,000 where it is
# 1.5 times as likely (the overall verdict should reject at least 95%), 1,000
# fair histories of 10 and of 25 draws (simulated counts: no rate above 5.5%),
# 1,000 fair histories with the pairs test by simulation (199 simulated
# histories each), and each test's time on 10,000 draws.
# Runs at the lowest priority; a few minutes on one core.
#
#   bench/run_fairness_benchmark.sh
#   BUILD_DIR=build-rel bench/run_fairness_benchmark.sh --histories 2000 --simulations 99
#   bench/run_fairness_benchmark.sh --game 5/36    # another drum than 6 of 49
#
# Options after the script name go to the benchmark and override these defaults.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/build_target.sh
build_bench_target numeron_bench_fairness
nice -n 19 "$build_dir/numeron_bench_fairness" --histories 10000 --draws 2500 \
  --power-histories 10000 --strong-histories 1000 --strong-weight-percent 150 \
  --small-histories 1000 --simulated-histories 1000 --simulations 199 \
  --timing-draws 10000 "$@"
