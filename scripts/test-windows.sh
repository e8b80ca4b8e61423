#!/usr/bin/env bash
# Cross-builds the survey arithmetic and the result files with their tests
# for 64-bit Windows (MinGW-w64) into build-windows/, and runs the tests
# under Wine in a Wine prefix of their own. Installs the compiler, Wine and
# the GoogleTest sources when they are missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-windows"

packages=(g++-mingw-w64-x86-64-posix wine64 wine googletest libboost-dev cmake ninja-build ccache)
"$here/scripts/need.sh" "${packages[@]}"

export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
      -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTARNEL_CORE_ONLY=ON -DTARNEL_GTEST_SOURCE=/usr/src/googletest
cmake --build "$build" -j"$(nproc)"

export WINEPREFIX="$build/wine" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true' EXIT
cd "$build"
ctest --output-on-failure "$@"
