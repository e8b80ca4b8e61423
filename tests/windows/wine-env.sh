# A Wine of the Windows build's own, sourced by scripts/test-windows.sh and
# benchmarks/startup.py's Windows runs:  source wine-env.sh BUILD QT
#
# The prefix (BUILD/wine) and the home folder Wine links the Windows user's
# folders to (BUILD/wine-home) belong to the build, so that nothing is
# written into the real home. In it:
#  - Qt's DLLs (and MinGW's, which lie beside them) on WINEPATH, for the
#    programs of the build folder (an installed program has its own);
#  - a Japanese font in C:\windows\Fonts, as a Japanese Windows has one
#    (from Debian's fonts-noto-cjk), which is also where the offscreen
#    platform of the tests reads its fonts (QT_QPA_FONTDIR);
#  - Wine passes no QT_* variable from Linux to its programs: QT_QPA_FONTDIR
#    is set in the user's environment in the registry.
# Wine runs in C.UTF-8: this machine has no ja_JP locale, and with one named
# that is missing Wine cannot find the Desktop folder.
build_dir="$1"
qt_dir="$2"
mkdir -p "$build_dir"
export WINEPREFIX="$build_dir/wine" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export HOME="$build_dir/wine-home" LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEPATH="Z:${qt_dir//\//\\}\\bin"
unset DISPLAY
# A Desktop folder, as a Windows user has one: Wine links the user's to it.
mkdir -p "$HOME/Desktop"
if [[ ! -f "$WINEPREFIX/.tarnel-ready" ]]; then
  wineboot --init >/dev/null 2>&1
  wineserver -w
  cp "$(fc-match -f '%{file}' 'Noto Sans CJK JP')" "$WINEPREFIX/drive_c/windows/Fonts/"
  wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'C:\windows\Fonts' /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tarnel-ready"
fi
sh "$(dirname "${BASH_SOURCE[0]}")/wine-server.sh"
