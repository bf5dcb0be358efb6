#!/usr/bin/env bash
# Quits the game a hundred times (or [quits]) at its busiest moments, shared
# as in the suite: half at the main menu right after start-up, four in ten on
# the loading screen, one in ten in play while chunks stream. Runs in the
# address-sanitizer build, or the thread-sanitizer build with --tsan.
# Usage: bash scripts/shutdown_soak.sh [--tsan] [quits]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
SANITIZER=-DMOSSGRAVE_ASAN=ON
DEFAULT_DIR=build/asan
if [ "${1:-}" = "--tsan" ]; then
  SANITIZER=-DMOSSGRAVE_TSAN=ON
  DEFAULT_DIR=build/tsan
  shift
fi
BUILD_DIR=${BUILD_DIR:-$DEFAULT_DIR}
ROUNDS=${1:-100}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug "$SANITIZER" -DMOSSGRAVE_E2E_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target mossgrave mossgrave_e2e
SUPPRESSIONS=$PWD/tests/tsan.supp
cd "$BUILD_DIR/tests/e2e"
MOSSGRAVE_SHUTDOWN_ROUNDS=$ROUNDS TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$SUPPRESSIONS" \
  ./mossgrave_e2e --gtest_filter='Shutdown.*'
