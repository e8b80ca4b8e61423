#!/bin/sh
# (Re)starts the Wine server of the build's prefix for a run of tests, with
# Wine's desktop process, and no display: a server already running (one
# with a display, left by the tests on Xvfb) is ended and waited for first.
# Started before CTest, and again after the tests on a display: started by
# a test, the desktop would hold that test's output pipe open until the
# last test ends. Needs WINEPREFIX (tests/windows/wine-env.sh sets it).
wineserver -k 2>/dev/null
wineserver -w
unset DISPLAY
wineserver -p
wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1
exit 0
