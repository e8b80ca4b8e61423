#!/usr/bin/env bash
# Installs what building and testing Tarnel needs on Debian 12, then
# configures and builds it.
# Usage: scripts/setup.sh [build-dir]   or   scripts/setup.sh --packages-only
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
packages_only=0
if [[ "${1:-}" == --packages-only ]]; then packages_only=1; shift; fi
build="${1:-$here/build}"

packages=(
  build-essential cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev qt6-base-dev-tools libqt6svg6 libgl-dev qt6-translations-l10n
  libboost-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
  desktop-file-utils appstream
  xvfb openbox xdotool x11-utils imagemagick xclip
  dbus dbus-bin at-spi2-core python3-pyatspi
)

"$here/scripts/need.sh" "${packages[@]}"

((packages_only)) && exit 0

# Compiler cache entries keyed by paths inside the checkout, so that another
# clone of the same sources on this machine finds them.
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
      -DTARNEL_WERROR="${TARNEL_WERROR:-OFF}"
cmake --build "$build" -j"$(nproc)"
