#!/usr/bin/env bash
# Installs the Debian packages Mossgrave needs, and only those:
#   bash scripts/setup.sh [play]   building and playing the game
#   bash scripts/setup.sh package  that, and building its Debian package
#   bash scripts/setup.sh test     that, and the tools of the test suite,
#                                  the benchmarks and the long runs
# Quiet when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

PLAY=(
  build-essential cmake pkg-config
  libglfw3-dev libglew-dev libglm-dev libpng-dev zlib1g-dev libcairo2-dev
  libopenal-dev libboost-dev libboost-thread-dev
  fonts-dejavu-core
)
# cpack's Debian generator finds the binaries to compute dependencies with `file`.
PACKAGE=("${PLAY[@]}" dpkg-dev file)
TEST=(
  "${PACKAGE[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils
  clang libclang-rt-14-dev
  lintian appstream desktop-file-utils groff-base
  stress
)

case ${1:-play} in
  play) PACKAGES=("${PLAY[@]}") ;;
  package) PACKAGES=("${PACKAGE[@]}") ;;
  test) PACKAGES=("${TEST[@]}") ;;
  *) echo "Usage: $0 [play|package|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
