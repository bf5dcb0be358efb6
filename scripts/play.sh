#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Mossgrave in Release and starts it
# from its run folder (where it keeps config.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh play

BUILD_DIR=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DMOSSGRAVE_TESTS=OFF -DMOSSGRAVE_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j2 --target mossgrave
cd "$BUILD_DIR/run"
exec ./mossgrave
