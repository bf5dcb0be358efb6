#!/usr/bin/env bash
# Installs the Debian packages Mossgrave needs to build, run and test.
# Quiet when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libglfw3-dev libglew-dev libglm-dev libpng-dev zlib1g-dev libcairo2-dev
  libopenal-dev libboost-dev libboost-thread-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xdotool imagemagick x11-utils stress
  clang libclang-rt-14-dev
)

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
