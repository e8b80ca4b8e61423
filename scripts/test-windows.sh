#!/usr/bin/env bash
# Builds Tarnel for 64-bit Windows and tests it under Wine, all on this
# machine: Qt from Debian's sources (scripts/build-qt-windows.sh, cached),
# tarnel.exe, every test program and the installer, cross-built with
# MinGW-w64 into build-windows/; then, in a Wine prefix of their own, every
# test program with the offscreen platform, the program on a real X display
# driven by key presses (tests/e2e/wine_e2e.py), and the installer installed,
# used and uninstalled (tests/windows/installer_test.py).
#
# Usage: scripts/test-windows.sh [ctest options]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-windows"
started=$SECONDS

packages=(g++-mingw-w64-x86-64-posix wine64 wine googletest libboost-dev cmake ninja-build ccache nsis
          qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-noto-cjk
          xvfb openbox xdotool x11-utils imagemagick xclip)
"$here/scripts/need.sh" "${packages[@]}"

qt=$("$here/scripts/build-qt-windows.sh" | tail -n 1)

# ---- Build ----
# A build folder made against another Qt (an earlier version of the Qt
# script) starts afresh: CMake keeps the toolchain of its first run.
if [[ -f "$build/CMakeCache.txt" ]] && ! grep -qF "$qt/lib/cmake/Qt6/qt.toolchain.cmake" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
# The tools that run while the program is built, for this machine.
cmake -S "$here/tools" -B "$build/host-tools" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build/host-tools"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DTARNEL_HOST_TOOLS="$build/host-tools" -DTARNEL_GTEST_SOURCE=/usr/src/googletest \
      -DTARNEL_WERROR="${TARNEL_WERROR:-OFF}"
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G NSIS >/dev/null && ls tarnel-*-win64.exe)

# ---- A Wine of our own ----
source "$here/tests/windows/wine-env.sh" "$build" "$qt"
trap 'wineserver -k 2>/dev/null || true' EXIT

# ---- Tests ----
# Every test of the build: the test programs under Wine, the program on a
# real display and the installer (the tests only Linux has are not made in
# a Windows build, see cmake/Desktop.cmake).
# Now and then Wine kills a test program as it exits, after its tests have
# passed (CTest: "Subprocess killed"; 2 of 385 in one run here, none in
# another): such a test runs once more. A test that fails twice fails.
cd "$build"
ctest --output-on-failure -j"$(nproc)" --repeat until-pass:2 "$@"

elapsed=$((SECONDS - started))
echo "Windows build and tests: $((elapsed / 60)) min $((elapsed % 60)) s"
