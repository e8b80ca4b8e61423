#!/bin/sh
# Installs a build into a scratch prefix and checks that the program, its
# launcher, icon and metainfo land where desktops look for them, and that the
# launcher names the installed program and icon.
# Usage: check_install.sh <build-dir> <app-id> [cmake]
set -eu
build=$1
id=$2
cmake=${3:-cmake}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

passed=0
failed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }

for f in bin/tarnel \
         "share/applications/$id.desktop" \
         "share/metainfo/$id.metainfo.xml" \
         share/icons/hicolor/scalable/apps/tarnel.svg; do
  if [ -s "$prefix/$f" ]; then pass "installs $f"; else fail "installs $f"; fi
done

launcher="$prefix/share/applications/$id.desktop"
if [ -x "$prefix/bin/tarnel" ]; then pass "bin/tarnel is executable"; else fail "bin/tarnel is executable"; fi
exec_line=$(sed -n 's/^Exec=//p' "$launcher" 2>/dev/null || true)
icon_line=$(sed -n 's/^Icon=//p' "$launcher" 2>/dev/null || true)
if [ "${exec_line%% *}" = tarnel ]; then pass "the launcher runs tarnel"; else fail "the launcher runs tarnel (Exec=$exec_line)"; fi
if [ -s "$prefix/share/icons/hicolor/scalable/apps/$icon_line.svg" ]; then
  pass "the launcher's icon is installed"
else
  fail "the launcher's icon is installed (Icon=$icon_line)"
fi
if grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
     "$prefix/share/metainfo/$id.metainfo.xml" 2>/dev/null; then
  pass "the metainfo launches $id.desktop"
else
  fail "the metainfo launches $id.desktop"
fi
if grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/tarnel.svg" 2>/dev/null; then
  pass "the icon is an SVG image"
else
  fail "the icon is an SVG image"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
