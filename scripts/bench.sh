#!/usr/bin/env bash
# Builds and runs the benchmark suite (bench/README.md): the in-process
# figures (corvane_bench), then the end-to-end ones on private buses with the
# real server (corvane_bench_bus), then the comparison of the two D-Bus
# libraries (corvane_bench_libraries). The first two end with the table of
# their targets, every figure beside the yardstick it is judged by, both
# measured in the same run; with repetitions, medians, the repetitions of
# different benchmarks interleaved so that a busy spell of the machine hits
# them alike.
#   scripts/bench.sh                         the whole suite, 5 repetitions (about 10 minutes)
#   REPETITIONS=1 scripts/bench.sh           one pass
#   scripts/bench.sh --benchmark_filter=Unpack   any Google Benchmark flags, to every program
#   BUILD=build-perf scripts/bench.sh        another build folder (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=${BUILD:-build}
repetitions=${REPETITIONS:-5}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target corvane_bench corvane_bench_bus corvane_bench_libraries corvanesim corvanesim-tagread

flags=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
       --benchmark_enable_random_interleaving=true)
echo "== In process: corvane_bench"
"$build/bench/corvane_bench" "${flags[@]}" "$@"
echo
echo "== End to end: corvane_bench_bus"
"$build/bench/bus/corvane_bench_bus" "${flags[@]}" "$@"
echo
echo "== The D-Bus libraries side by side: corvane_bench_libraries"
"$build/bench/libraries/corvane_bench_libraries" "${flags[@]}" "$@"
