#!/usr/bin/env bash
# Builds the benchmarks in Release in build-release and runs every one of them
# with repetitions. Prints each figure (median, mean, spread of the
# repetitions) and then every target as the ratio of a figure to its yardstick
# measured in the same run, with PASS or MISS. Every run is also kept in
# build-release/benchmarks.json. REPETITIONS (default 9) sets the number of
# repetitions, JOBS the build's parallel jobs; further arguments go to
# quorlex_bench (for instance --benchmark_filter=Tap).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLEX_TESTS=OFF > /dev/null
cmake --build build-release --target quorlex_bench ${JOBS:+--parallel "$JOBS"}
QT_QPA_PLATFORM=offscreen ./build-release/bench/quorlex_bench \
  --benchmark_repetitions="${REPETITIONS:-9}" --benchmark_enable_random_interleaving=true \
  --benchmark_display_aggregates_only=true \
  --benchmark_out=build-release/benchmarks.json --benchmark_out_format=json "$@"
