#!/bin/sh
# Builds the benchmarks in their optimised tree (the bench preset,
# build-bench/) and runs them all, five repetitions each; prints the medians,
# then a summary with the budget ratios.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=read/).
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
(cd "$source_dir" && cmake --preset bench >/dev/null && cmake --build --preset bench)
exec "$source_dir/build-bench/bench/quib_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true "$@"
