#!/bin/sh
# Builds the benchmarks in an optimized build and runs them all, five
# repetitions each; prints the medians, then a summary with the budget ratios.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=read/).
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${QUIB_BENCH_BUILD:-$source_dir/build-bench}
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target quib_bench
exec "$build_dir/bench/quib_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true "$@"
