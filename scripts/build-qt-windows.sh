#!/usr/bin/env bash
# Builds the Qt that the Windows program links: Debian's own qt6-base
# sources, the same version as the Qt installed here, cross-built for
# 64-bit Windows with Debian's MinGW-w64 compiler. Only what Tarnel uses:
# QtCore, QtGui, QtWidgets and QtTest, the windows and offscreen platform
# plugins and the Windows styles. The host's Qt serves as the build tools
# (moc, rcc, uic), so nothing native is built.
#
# Installs into a cache outside the checkout, named by this script's digest
# and the Qt version: a second run finds it in seconds, a changed script
# builds afresh. Progress goes to standard error; the last line on standard
# output is the folder Qt was installed in.
#
# Usage: scripts/build-qt-windows.sh        (TARNEL_CACHE overrides ~/.cache/tarnel)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
script="$(realpath "${BASH_SOURCE[0]}")"
started=$SECONDS
say() { printf '[qt-windows %s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

# The whole script is read before it runs (main, and exit, on its last
# line), so that an edit during the long build cannot change what it does.
main() {
"$here/scripts/need.sh" g++-mingw-w64-x86-64-posix cmake ninja-build ccache dpkg-dev xz-utils \
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n >&2

# The sources are those of the Qt on this machine, so that its tools fit.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
digest=$( { cat "$script"; echo "$version"; } | sha256sum | cut -c1-12)
cache="${TARNEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnel}"
prefix="$cache/qt-$upstream-mingw64-$digest"
if [[ -f "$prefix/.complete" ]]; then
  say "Qt $upstream for Windows found in $prefix"
  echo "$prefix"
  exit 0
fi

work="$cache/work-$digest"
rm -rf "$work" "$prefix"
mkdir -p "$work"

# ---- 1. The source package, through apt with deb-src entries of our own ----
# Every Debian entry of this machine, as a source entry; apt checks the
# signatures as for any download.
say "1/5 fetching the source package qt6-base $version"
apt="$work/apt"
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
for f in /etc/apt/sources.list.d/*.sources; do
  [[ -e "$f" ]] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources.list.d/$(basename "$f")"
done
if [[ -f /etc/apt/sources.list ]]; then
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt/sources.list.d/main.list"
fi
aptopts=(-q -o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$apt/sources.list.d"
         -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
apt-get "${aptopts[@]}" update >&2
(cd "$work" && apt-get "${aptopts[@]}" source "qt6-base=$version") >&2
src=$(echo "$work"/qt6-base-*/)
src=${src%/}

# ---- 2. Without Wintab ----
# Debian's tarball leaves out the Wintab header (src/3rdparty/wintab). The
# windows plugin then reads pens through WM_POINTER only, as it does for
# every pen on current Windows.
say "2/5 building the windows plugin without Wintab"
plugin="$src/src/plugins/platforms/windows"
if [[ ! -e "$src/src/3rdparty/wintab/wintab.h" ]]; then
  sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION FALSE # no Wintab header/' "$plugin/CMakeLists.txt"
  sed -i 's/QT_CONFIG(tabletevent)/0 \/* no Wintab header *\//' "$plugin/qwindowscontext.cpp"
  sed -i '/include "qwindowstabletsupport.h"/d' "$plugin/qwindowspointerhandler.cpp"
  grep -q 'CONDITION FALSE # no Wintab' "$plugin/CMakeLists.txt" || { say "the Wintab patch no longer fits"; exit 1; }
fi

# ---- 3. Configure ----
say "3/5 configuring"
# The program's toolchain (cmake/mingw-w64.cmake) but for Wine as the
# emulator: Qt's build runs the host's tools only, and this script's digest
# names the whole of what it builds with.
cat >"$work/toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
off=(network sql dbus printsupport concurrent xml opengl vulkan icu glib zstd gif ico jpeg
     direct2d1_1 sql_sqlite androiddeployqt)
features=()
for f in "${off[@]}"; do features+=("-DFEATURE_$f=OFF"); done
bundled=(zlib pcre2 harfbuzz freetype png doubleconversion)
for f in "${bundled[@]}"; do features+=("-DFEATURE_system_$f=OFF"); done
export CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1
cmake -S "$src" -B "$work/build" -G Ninja -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DQT_USE_CCACHE=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DINPUT_opengl=no "${features[@]}" >"$work/configure.log" 2>&1 \
  || { tail -n 40 "$work/configure.log" >&2; say "configure failed: $work/configure.log"; exit 1; }

# ---- 4. Build, with a line of progress every 5% of the steps ----
# The compiler's own output goes to build.log, shown when the build fails.
steps=$(ninja -C "$work/build" -n | grep -c '^\[')
say "4/5 building: $steps steps"
NINJA_STATUS='@@%f/%t@@ ' ninja -C "$work/build" -j"$(nproc)" 2>&1 | awk -v logfile="$work/build.log" '
  /^@@[0-9]+\/[0-9]+@@/ {
    split(substr($1, 3, length($1) - 4), n, "/")
    if (n[1] - last >= n[2] / 20 || n[1] == n[2]) {
      last = n[1]
      printf "[qt-windows] step %d of %d, %d left, %d%%\n", n[1], n[2], n[2] - n[1], 100 * n[1] / n[2] > "/dev/stderr"
    }
    next
  }
  { print > logfile }' || { tail -n 60 "$work/build.log" >&2; say "the build failed: $work/build.log"; exit 1; }

# ---- 5. Install, with the compiler's runtime DLLs beside Qt's ----
# and Qt's Japanese translation, which is the same file on every system:
# the one of Debian's qt6-translations-l10n.
say "5/5 installing into $prefix"
cmake --install "$work/build" --strip >"$work/install.log" 2>&1
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$prefix/bin/"
done
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$prefix/translations/"
touch "$prefix/.complete"
# What earlier versions of this script built is not used again.
rm -rf "$work" $(ls -d "$cache"/qt-*-mingw64-* | grep -vxF "$prefix")
elapsed=$((SECONDS - started))
say "Qt $upstream for Windows built in $((elapsed / 60)) min $((elapsed % 60)) s"
echo "$prefix"
}

main "$@"; exit
