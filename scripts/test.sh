#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Mossgrave with the address and
# undefined-behaviour sanitizers, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

BUILD_DIR=${BUILD_DIR:-build/test}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DMOSSGRAVE_ASAN=ON >/dev/null
cmake --build "$BUILD_DIR" -j2
cd "$BUILD_DIR"
ctest --output-on-failure -j2 "$@"
