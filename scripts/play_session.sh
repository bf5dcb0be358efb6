#!/usr/bin/env bash
# Plays the scripted session for a long time (20 minutes unless given) in
# the address+undefined sanitizer build, with the hang watchdog and the
# resident-memory curve; the curve is printed at the end.
# Usage: bash scripts/play_session.sh [minutes]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test
BUILD_DIR=${BUILD_DIR:-build/asan}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DMOSSGRAVE_ASAN=ON -DMOSSGRAVE_E2E_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target mossgrave mossgrave_e2e
cd "$BUILD_DIR/tests/e2e"
MOSSGRAVE_SESSION_MINUTES=${1:-20} ./mossgrave_e2e --gtest_filter='PlaySession.*'
