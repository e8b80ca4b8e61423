#!/usr/bin/env bash
# Builds the unit and widget tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ and runs them (not the
# tests on a real display, nor the checks of what the full build draws and
# lays out). Usage: scripts/sanitize.sh [ctest options]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-sanitize"

"$here/scripts/setup.sh" --packages-only
# Qt and fontconfig keep some caches until exit; leaks are not what we look
# for (the build runs one of its own tools, too).
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" -DTARNEL_WERROR="${TARNEL_WERROR:-OFF}" \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
# Only the test programs: the sanitizers have nothing to add to the rest.
targets=$(cmake --build "$build" --target help | sed -n 's/^\(test_[a-z_]*\): .*/\1/p' | sort -u)
cmake --build "$build" -j"$(nproc)" --target $targets

cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -LE desktop -E 'layers|windows_icon' "$@"
