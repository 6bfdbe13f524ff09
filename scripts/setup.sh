#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, then configures
# and builds into ./build.
# Usage: scripts/setup.sh [--program] [extra cmake options...]
#   --program  builds only the program and what it reads at run time, not the
#              tests, benchmarks and developer tools.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=()
if [ "${1:-}" = "--program" ]; then
  targets=(--target dzsb_program)
  shift
fi

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 qt6-translations-l10n
  libxml2-dev libicu-dev libgl-dev
  fonts-noto-cjk fonts-liberation2 python3 python3-fonttools
  poppler-utils
  xvfb xauth
  dpkg-dev file desktop-file-utils shared-mime-info
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j"$(nproc)" "${targets[@]}"
