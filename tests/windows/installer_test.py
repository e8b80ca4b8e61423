#!/usr/bin/python3
"""The Windows installer under Wine, as a user meets it.

Installs build-windows/tarnel-<version>-win64.exe silently, checks what it
put into Program Files and the Start menu, starts the installed program on
a private X display (with nothing of the build on Wine's path, so that it
runs on what it brought along), waits for the main menu, does one
calculation on 方向・距離 and checks its file in the Wine user's Desktop,
ends the program, uninstalls silently, and checks that nothing of it is
left in Program Files, the Start menu or the list of installed programs.

Run by CTest in the Windows build, inside the Wine that
scripts/test-windows.sh sets up:

    python3 tests/windows/installer_test.py --installer build-windows/tarnel-3.02-win64.exe --out build-windows
"""

import argparse
import glob
import os
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "e2e"))
from desktop_session import Session, SessionError, wait_until  # noqa: E402
from e2e_test import Checks  # noqa: E402
from wine_e2e import Driver, Failed, hou, restore_wine, wine_desktop, wine_on  # noqa: E402

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnel"


def wine(*argv, timeout=300):
    return subprocess.run(["wine", *argv], capture_output=True, text=True, timeout=timeout)


def unix(path):
    return subprocess.run(["winepath", "-u", path], capture_output=True, text=True, timeout=60).stdout.strip()


def start_menu_folders():
    """The Programs folders of the Start menu, the user's and all users'."""
    return [unix(r"C:\users\Public\Start Menu\Programs"), unix(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs"),
            unix(r"C:\users\%s\AppData\Roaming\Microsoft\Windows\Start Menu\Programs" % os.environ.get("USER", "root"))]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--installer", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.environ.pop("WINEPATH", None)  # the installed program brings its own DLLs
    folder = unix(r"C:\Program Files\Tarnel")
    checks = Checks()
    check = checks.check

    out = wine(args.installer, "/S")
    check(out.returncode == 0, "the installer runs silently", out.stderr[-500:])
    for name in ["tarnel.exe", "Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll", "libstdc++-6.dll",
                 "platforms/qwindows.dll", "styles/qwindowsvistastyle.dll", "translations/qtbase_ja.qm",
                 "qt.conf", "Uninstall.exe"]:
        check(os.path.isfile(os.path.join(folder, name)), f"installs {name}")
    links = [p for f in start_menu_folders() for p in glob.glob(os.path.join(f, "Tarnel", "*.lnk"))]
    check(any(os.path.basename(p) == "Tarnel.lnk" for p in links), "the Start menu holds Tarnel", f"links {links}")
    check(wine("reg", "query", UNINSTALL_KEY).returncode == 0, "Tarnel is in the list of installed programs")

    # The installed program on a display: the main menu, one calculation.
    session = Session(os.path.join(os.path.abspath(args.out), "installer-logs"), accessibility=False)
    try:
        session.start()
        desktop = wine_desktop(wine_on(session))
        record = os.path.join(desktop, "方向・距離DATA.TXT")
        if os.path.exists(record):
            os.remove(record)
        program = session.start_program(["wine", os.path.join(folder, "tarnel.exe")])
        d = Driver(session, program, desktop, os.path.abspath(args.out), checks)
        d.wait_active("Tarnel", timeout=90)
        hou(d)
        d.keys("ctrl+q")
        check(program.wait(timeout=30) == 0, "the installed program ends with Ctrl+Q")
    except (Failed, SessionError, subprocess.TimeoutExpired) as e:
        check(False, "the installed program starts and calculates", str(e))
    finally:
        session.stop()
        restore_wine()

    # The uninstaller copies itself away and returns at once: wait for it.
    out = wine(os.path.join(r"C:\Program Files\Tarnel", "Uninstall.exe"), "/S")
    check(out.returncode == 0, "the uninstaller runs silently", out.stderr[-500:])
    try:
        wait_until(lambda: not os.path.exists(folder), 60, interval=0.5, what="the program folder to go")
        check(True, "nothing is left in Program Files")
    except SessionError:
        check(False, "nothing is left in Program Files", f"left: {os.listdir(folder)}")
    left = [p for f in start_menu_folders() for p in glob.glob(os.path.join(f, "Tarnel*"))]
    check(not left, "nothing is left in the Start menu", f"left: {left}")
    check(wine("reg", "query", UNINSTALL_KEY).returncode != 0, "Tarnel is gone from the installed programs")

    print(f"{checks.passed} passed, {checks.failed} failed", flush=True)
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
