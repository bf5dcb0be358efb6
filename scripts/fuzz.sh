#!/usr/bin/env bash
# Builds each parser's libFuzzer target with clang (only the parser's own
# sources, so no clang build of the whole game is needed) and runs it for
# SECONDS (default 600) on a copy of its corpus, two at a time. A crash stops
# that target and leaves its input in build/fuzz/<target>/; add it to
# tests/fuzz/corpus/<target>/ so the suite's replay keeps it fixed.
# Usage: bash scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
command -v clang++ >/dev/null || apt-get install -y clang >/dev/null

SECONDS_EACH=${1:-600}
OUT=build/fuzz
mkdir -p "$OUT"
FLAGS="-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I."

# target  fuzz source  parser sources and libraries
TARGETS=(
  "obj_fuzz tests/fuzz/ObjFuzz.cpp render/ObjReader.cpp"
  "png_decode tests/fuzz/PngDecodeFuzz.cpp render/PngImage.cpp -lpng"
  "shader_file tests/fuzz/ShaderFileFuzz.cpp render/ShaderFile.cpp"
  "wav_fuzz tests/fuzz/wav_fuzz.cpp audio/WavReader.cpp"
  "config_fuzz tests/fuzz/config_fuzz.cpp app/Config.cpp base/Settings.cpp"
)

run() {
  local name=$1; shift
  mkdir -p "$OUT/$name/corpus"
  cp tests/fuzz/corpus/"$name"/* "$OUT/$name/corpus/" 2>/dev/null || true
  # shellcheck disable=SC2086
  clang++ $FLAGS "$@" -o "$OUT/$name/fuzzer"
  (cd "$OUT/$name" && ./fuzzer -max_total_time="$SECONDS_EACH" -max_len=8192 -rss_limit_mb=2048 corpus \
      > log.txt 2>&1) && echo "$name: $(grep '^Done' "$OUT/$name/log.txt")" \
    || { echo "$name: FAILED, see $OUT/$name/log.txt"; return 1; }
}

status=0
for ((i = 0; i < ${#TARGETS[@]}; i += 2)); do
  pids=()
  for t in "${TARGETS[@]:i:2}"; do
    # shellcheck disable=SC2086
    run $t & pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
done
exit $status
