#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; extra arguments go to
# Google Benchmark (for example --benchmark_filter=Octree).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test

BUILD_DIR=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j2 --target mossgrave_bench
"$BUILD_DIR/bench/mossgrave_bench" "$@"
