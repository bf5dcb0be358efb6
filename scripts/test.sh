#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs the whole test suite in three builds:
#   1. Release: every test, the end-to-end tests that play the real game included
#      (the game runs at the speed players get);
#   2. Debug with the address and undefined-behaviour sanitizers: the unit tests
#      and the fuzz corpora;
#   3. Debug with the thread sanitizer: the world's worker stress tests.
# Every part runs even when an earlier one fails; the exit code is non-zero when
# any failed. Arguments are passed to the Release ctest (e.g. -R Config).
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test || exit 1

RELEASE_DIR=${RELEASE_DIR:-build/test}
ASAN_DIR=${ASAN_DIR:-build/asan}
TSAN_DIR=${TSAN_DIR:-build/tsan}
failed=()
started=$SECONDS

part() {
  echo
  echo "=== $1 ($(( (SECONDS - started) / 60 )) min in)"
}

part "Release build and the whole suite"
# The sanitizer options are given every time: a folder configured with one earlier keeps it.
if cmake -S . -B "$RELEASE_DIR" -DCMAKE_BUILD_TYPE=Release -DMOSSGRAVE_ASAN=OFF -DMOSSGRAVE_TSAN=OFF \
    -DMOSSGRAVE_E2E_TESTS=ON -DMOSSGRAVE_STRESS_TESTS=ON >/dev/null \
  && cmake --build "$RELEASE_DIR" -j2; then
  (cd "$RELEASE_DIR" && ctest --output-on-failure -j2 "$@") || failed+=("Release suite")
else
  failed+=("Release build")
fi

part "Address+undefined sanitizer build and the unit tests"
# Only what runs here is built: no benchmarks, no end-to-end or stress binaries.
if cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=Debug -DMOSSGRAVE_ASAN=ON -DMOSSGRAVE_TSAN=OFF -DMOSSGRAVE_BENCH=OFF \
    -DMOSSGRAVE_E2E_TESTS=OFF -DMOSSGRAVE_STRESS_TESTS=OFF >/dev/null \
  && cmake --build "$ASAN_DIR" -j2; then
  # The stress tests run under the thread sanitizer below; here the unit tests and corpora.
  (cd "$ASAN_DIR" && ctest --output-on-failure -j2 -LE "e2e|stress") || failed+=("sanitizer unit tests")
else
  failed+=("sanitizer build")
fi

part "Thread sanitizer build and the worker stress tests"
BUILD_DIR=$TSAN_DIR bash scripts/stress_tsan.sh 1 || failed+=("thread-sanitizer stress tests")

part "Done in $(( (SECONDS - started) / 60 )) min"
if [ ${#failed[@]} -ne 0 ]; then
  printf 'Failed: %s\n' "${failed[@]}"
  exit 1
fi
echo "All three builds passed."
