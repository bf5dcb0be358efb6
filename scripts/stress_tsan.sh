#!/usr/bin/env bash
# Builds the worker stress and streaming tests (mossgrave_stress_tests, CTest
# label `stress`) with the thread sanitizer and runs them `rounds` times
# (default 3), stopping at the first data race, lock-order inversion or failure.
# Only the stress binary is built, so this is much quicker than the whole suite.
# Usage: bash scripts/stress_tsan.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
ROUNDS=${1:-3}
# build/tsan is shared with scripts/shutdown_soak.sh --tsan; the same build type
# keeps the two from rebuilding the library for each other.
BUILD_DIR=${BUILD_DIR:-build/tsan}
JOBS=${JOBS:-2}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DMOSSGRAVE_TSAN=ON -DMOSSGRAVE_STRESS_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS" --target mossgrave_stress_tests
cd "$BUILD_DIR"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 exitcode=66" \
  ctest -L stress --output-on-failure --repeat until-fail:"$ROUNDS"
