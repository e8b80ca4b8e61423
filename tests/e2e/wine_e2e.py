#!/usr/bin/python3
"""End-to-end test of the Windows program under Wine on a real X server.

Installs the cross-built program into a folder as a user gets it (the
install step: Qt's DLLs, plugins and translation beside tarnel.exe), starts
it under Wine on a private desktop (Xvfb and openbox), and drives it with
real key presses through xdotool: every entry of the main menu, one example
on every calculation screen, a table pasted into 座標面積 through the
clipboard and its drawing. There is no AT-SPI under Wine, so the program is
read from outside through what it leaves: the window titles, the result
files in the Wine user's Desktop folder (the known folder Desktop, found in
the registry), and, where a screen writes no file, its pixels before and
after 計算. A screenshot of every screen is saved as e2e-<screen>.png.

Run by CTest in the Windows build, inside the Wine that
scripts/test-windows.sh sets up (tests/windows/wine-env.sh):

    python3 tests/e2e/wine_e2e.py --build build-windows --out build-windows
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import Session, SessionError, wait_until  # noqa: E402
from e2e_test import Checks  # noqa: E402

STEP_TIMEOUT = 20  # seconds for one wait; Wine is slower than Linux
CALCULATE = "計\u3000\u3000算"


class Failed(Exception):
    """A step the rest of the screen's example depends on did not happen."""


class Driver:
    def __init__(self, session, program, desktop, out, checks):
        self.s = session
        self.program = program
        self.desktop = desktop
        self.out = out
        self.checks = checks
        self.check = checks.check

    # ---- the desktop ----

    def keys(self, *names):
        self.s.run(["xdotool", "key", "--delay", "120", *names])
        # A press of Return sets the program going (a calculation, a window);
        # the keys after it are for where the focus is once it has done.
        if names[-1] in ("Return", "space"):
            time.sleep(0.5)

    def type(self, text):
        self.s.run(["xdotool", "type", "--delay", "60", text])

    def fill(self, *values):
        """Types the values into the boxes from the focused one on, a Tab after each."""
        for v in values:
            self.type(v)
            self.keys("Tab")

    def tabs(self, count):
        if count:
            self.keys(*["Tab"] * count)

    def visible_titles(self):
        """The titles of the visible top-level windows. xdotool's --name does
        not match the Japanese titles Wine sets, so every window is read."""
        ids = self.s.run(["xdotool", "search", "--onlyvisible", "--name", ""], check=False).stdout.split()
        titles = {}
        for wid in ids:
            out = self.s.run(["xdotool", "getwindowname", wid], check=False)
            if out.returncode == 0:
                titles[wid] = out.stdout.rstrip("\n")
        return titles

    def active_title(self):
        out = self.s.run(["xdotool", "getactivewindow", "getwindowname"], check=False)
        return out.stdout.rstrip("\n") if out.returncode == 0 else None

    def wait_active(self, title, timeout=STEP_TIMEOUT):
        def active():
            if self.program.poll() is not None:
                raise Failed(f"the program ended (exit code {self.program.returncode})")
            return self.active_title() == title
        try:
            wait_until(active, timeout, interval=0.2, raising=(Failed,), what=f"the window '{title}'")
        except SessionError as e:
            self.check(False, f"'{title}' is shown and has the keyboard",
                       f"{e}; the active window is {self.active_title()!r}")
            raise Failed(str(e))
        time.sleep(0.3)  # the first paint
        self.check(True, f"'{title}' is shown and has the keyboard")

    def activate(self, title):
        """Gives the window the keyboard, as a click on it does."""
        for wid, name in self.visible_titles().items():
            if name == title:
                self.s.run(["xdotool", "windowactivate", "--sync", wid], check=False)
                return

    def wait_shown(self, title):
        try:
            wait_until(lambda: title in self.visible_titles().values(), STEP_TIMEOUT, interval=0.3,
                       what=f"the window '{title}'")
            self.check(True, f"'{title}' is shown")
        except SessionError as e:
            self.check(False, f"'{title}' is shown", str(e))

    def wait_gone(self, title):
        try:
            wait_until(lambda: title not in self.visible_titles().values(), STEP_TIMEOUT, interval=0.3,
                       what=f"'{title}' to close")
            self.check(True, f"'{title}' closes")
        except SessionError as e:
            self.check(False, f"'{title}' closes", str(e))

    def shot(self, name, window=None):
        """A screenshot of the whole screen, kept; or of the active window, returned."""
        path = os.path.join(self.out, f"e2e-{name}.png") if name else os.path.join(self.s.log_dir, "window.png")
        argv = ["import", "-window", "root", path]
        if window:
            wid = self.s.run(["xdotool", "getactivewindow"]).stdout.strip()
            argv = ["import", "-window", wid, path]
        self.s.run(argv, timeout=30)
        if name:
            print(f"screenshot: {path}", flush=True)
        return path

    def window_pixels(self):
        path = self.shot(None, window=True)
        return self.s.run(["convert", path, "-depth", "8", "rgb:-"], timeout=30, text=False).stdout

    # ---- the program ----

    def open(self, menu, path, title):
        """A main-menu entry by the keyboard: Alt and the menu's access key,
        then Down to the entry (the first is highlighted), Right into a
        submenu, Return."""
        self.keys(menu)
        for depth, index in enumerate(path):
            if index:
                self.keys(*["Down"] * index)
            self.keys("Right" if depth + 1 < len(path) else "Return")
        self.wait_active(title)

    def back_to_menu(self, tabs):
        """Tab from where the focus is to M E N U, then Return."""
        self.tabs(tabs)
        self.keys("Return")
        self.wait_active("Tarnel")

    def wait_for_file(self, name):
        """Waits for the file in the Desktop folder; False when it never comes."""
        path = os.path.join(self.desktop, name)
        try:
            wait_until(lambda: os.path.exists(path), STEP_TIMEOUT, what=name)
            time.sleep(0.2)
            return True
        except SessionError:
            self.check(False, f"{name} is written in the Wine user's Desktop", f"missing: {path}")
            return False

    def check_file(self, name, key_line):
        """The file is in the Desktop folder, in CP932 with CR LF line ends,
        and holds the key line of the calculation (waited for: the record
        may still be on its way)."""
        if not self.wait_for_file(name):
            return
        path = os.path.join(self.desktop, name)

        def read():
            with open(path, "rb") as f:
                raw = f.read()
            try:
                return raw, raw.decode("cp932").split("\r\n")
            except UnicodeDecodeError:
                return raw, None
        try:
            raw, lines = wait_until(lambda: (lambda r: r if r[1] and key_line in r[1] else None)(read()),
                                    STEP_TIMEOUT, what=f"{key_line!r} in {name}")
        except SessionError:
            raw, lines = read()
        bare = raw.replace(b"\r\n", b"")
        self.check(raw.endswith(b"\r\n") and b"\n" not in bare and b"\r" not in bare,
                   f"{name}: every line ends with CR LF")
        if not self.check(lines is not None, f"{name}: reads as CP932"):
            return
        self.check(key_line in lines, f"{name}: holds {key_line!r}", f"lines {lines!r}")
        self.check(lines[0] == "-" * 82, f"{name}: starts with the separator line", repr(lines[0]))

    def check_result_shown(self, name, press):
        """Where a screen writes no file: pressing 計算 changes what the
        window shows (the results appear) and opens no box."""
        before = self.window_pixels()
        press()
        time.sleep(1.0)
        title = self.active_title()
        after = self.window_pixels()
        changed = sum(a != b for a, b in zip(before, after))
        self.check(changed > 300 and title == name, f"{name}: 計算 shows results",
                   f"{changed} bytes changed, the active window is {title!r}")


# ---- The screens: one example each, by the keyboard --------------------------
# ﾌﾟﾛｼﾞｪｸﾄ(P): 0 方向角・座標差, 1 単独座標計算, 2 連続座標計算, 3 トラバース
# (0 逆, 1 放射, 2 結合), 4 交点, 5 ２点間 (0 中点, 1 ｵﾌｾｯﾄ, 2 分割),
# 6 座標変換, 7 座標面積計算, 8 面積計算. The boxes come first in each
# screen's Tab order and 計算 right after them; the counts of Tabs back to
# M E N U start where the screen puts the focus after 計算.

def usual(shot, path, title, values, record, back):
    """A screen of boxes and 計算 right after them: the values, 計算, the
    key line of its file, and the Tabs from where the focus is then to
    M E N U."""
    def run(d):
        d.open("alt+p", path, title)
        d.fill(*values)
        d.keys("Return")
        d.check_file(*record)
        d.shot(shot)
        d.back_to_menu(back)
    run.__name__ = shot.lower()
    return run


hou = usual("HOU", [0], "方向・距離", ["0", "0", "100", "100"],
            ("方向・距離DATA.TXT", "方向角  45 - 0 - 0   距\u3000離 141.421 m"), 6)
gyaku = usual("GYAKU", [3, 0], "逆トラバース", ["0", "0", "100", "0", "0", "100"],
              ("逆ﾄﾗﾊﾞｰｽDATA.TXT", "角\u3000度  90 - 0 - 0   距\u3000離  100 m"), 4)
kou = usual("KOU", [4], "交点", ["0", "0", "45", "100", "0", "135"],
            ("交点DATA.TXT", "求点 X  50   AP距離  70.7107 m"), 8)
chuuten = usual("CHUUTEN", [5, 0], "２点間（中間点）", ["0", "0", "100", "50"],
                ("中間点DATA.TXT", "X 座標  50   Y 座標  25 "), 6)
offset = usual("OFF", [5, 1], "２点間（オフセット）", ["10", "20", "40", "60", "25"],
               ("ｵﾌｾｯﾄDATA.TXT", "X 座標  25   Y 座標  40 "), 3)
henkan = usual("HENKAN", [6], "座標変換", ["0", "0", "100", "0", "1000", "2000", "1000", "2100", "10", "10"],
               ("座標変換DATA.TXT", "変換後 X  990.0001   変換後 Y 2009.9999 "), 4)


def tanza(d):
    d.open("alt+p", [1], "単独座標計算")
    d.fill("100", "200", "90.0000", "50")
    d.check_result_shown("単独座標計算", lambda: d.keys("Return"))
    d.shot("TANZA")
    d.back_to_menu(6)


def renza(d):
    d.open("alt+p", [2], "連続座標計算")
    d.fill("0", "0", "45.0000", "100")
    d.keys("Return")
    d.wait_for_file("連続座標計算DATA.TXT")
    # The focus waits in the angle box; the new point is the next base.
    d.fill("135.0000", "")
    d.keys("Return")
    d.check_file("連続座標計算DATA.TXT", "X座標  0   Y座標 141.421 ")
    d.shot("RENZA")
    d.back_to_menu(4)


def housha(d):
    d.open("alt+p", [3, 1], "放射トラバース")
    # Direction angles: Tab past the boxes and buttons to the first option.
    d.tabs(10)
    d.keys("space")  # the focus goes back into the boxes
    d.fill("0", "0", "45", "100")
    d.keys("Return")
    d.check_file("放射トラバースDATA.TXT", "X 座標  70.7107   Y 座標  70.7107 ")
    d.shot("HOUSHA")
    d.back_to_menu(4)


KETSUGOU_KNOWN = ["3", "1000", "1000", "1109.004", "1371.607", "240", "80"]
KETSUGOU_STATIONS = [("180.0010", "150.010"), ("215", "120"), ("154.5950", "129.995"), ("190.0020", "")]


def ketsugou(d):
    d.open("alt+p", [3, 2], "結合トラバース")
    d.fill(*KETSUGOU_KNOWN)
    for angle, distance in KETSUGOU_STATIONS:
        d.fill(angle, distance)
        d.keys("Return")  # INPUT
    d.shot("KETSUGOU")
    d.tabs(3)
    d.keys("Return")  # 計算
    d.wait_active("計算結果")
    d.shot("KETSUGOU-result")
    d.keys("Return")
    d.wait_active("結合トラバース")
    d.check_file("結合ﾄﾗﾊﾞｰｽDATA.TXT", "1 : 44445 ")
    d.tabs(14)
    d.keys("Return")  # 計算方法及び説明
    d.wait_active("計算方法及び説明")
    d.shot("KETSUGOU-explanation")
    d.keys("alt+F4")
    d.wait_active("結合トラバース")
    d.back_to_menu(12)


def divide(d):
    d.open("alt+p", [5, 2], "２点間（分割）")
    d.fill("0", "0", "90", "0", "3")
    d.keys("Return")
    d.wait_active("計算結果")
    d.keys("Return")
    d.wait_active("２点間（分割）")
    d.check_file("分割DATA.TXT", " 2  点目   距離  60    X 座標  60    Y 座標  0 ")
    d.shot("DIVIDE")
    d.back_to_menu(3)


# Seven corners of a parcel in the plane system, as a spreadsheet copies them.
PARCEL = [("K1", "-34980.125", "12000.5"), ("K2", "-34978.5", "12018.25"), ("K3", "-34990.25", "12026.75"),
          ("K4", "-35004.75", "12021.875"), ("K5", "-35008.25", "12008.5"), ("K6", "-35001.125", "11996.25"),
          ("K7", "-34990.5", "11994.75")]


def zamen(d):
    d.open("alt+p", [7], "計算方法")  # the hint box comes first
    d.shot("ZAMEN-hint")
    d.keys("Return")
    d.wait_active("座標面積計算")
    d.s.copy_to_clipboard("点名\tX\tY\r\n" + "".join(f"{n}\t{x}\t{y}\r\n" for n, x, y in PARCEL))
    d.keys("ctrl+v")
    d.wait_active("座標の入力")
    d.keys("Return")
    d.wait_shown("区画図")
    # The drawing is shown without the keyboard; Wine's X driver lets the
    # window manager hand it over all the same, so the screen is clicked.
    if d.active_title() == "区画図":
        print("note: under Wine the drawing took the keyboard; clicking the screen", flush=True)
        d.activate("座標面積計算")
    d.wait_active("座標面積計算")
    d.tabs(3)
    d.keys("Return")  # 計算
    d.wait_active("計算結果")
    d.keys("Return")
    d.wait_active("座標面積計算")
    d.check_file("座標面積DATA.TXT", " 7 X 座標 -34990.5   Y 座標  11994.75 ")
    d.shot("ZAMEN")
    d.back_to_menu(5)
    d.wait_gone("区画図")


def men(d):
    d.open("alt+p", [8], "面積計算")
    d.fill("3", "4", "5")
    d.check_result_shown("面積計算", lambda: d.keys("Return"))
    d.shot("MEN")
    d.back_to_menu(5)


def help_windows(d):
    """ヘルプ(H): 0 使用上の注意, 1 入力及び操作方法, 2 各ﾌﾟﾛｼﾞｪｸﾄの説明, 3 製品・Ver情報."""
    for index, title, name in [(0, "使用上の注意", "CHU"), (1, "入力及び操作方法", "NYUURYOKUSOUSA"),
                               (2, "各ﾌﾟﾛｼﾞｪｸﾄ及び入力・ボタンについての説明", "SE")]:
        d.open("alt+h", [index], title)
        d.shot(name)
        d.keys("alt+F4")
        d.wait_active("Tarnel")
    # The product window has an empty title: it is the one window besides the menu.
    d.keys("alt+h", "Down", "Down", "Down", "Return")
    try:
        wait_until(lambda: len(d.visible_titles()) >= 2, STEP_TIMEOUT, what="the product window")
        d.check(True, "製品・Ver情報 opens the product window")
    except SessionError as e:
        d.check(False, "製品・Ver情報 opens the product window", str(e))
    time.sleep(0.5)
    d.shot("SPLASH")
    d.keys("alt+F4")
    d.wait_active("Tarnel")


SCREENS = [hou, tanza, renza, gyaku, housha, ketsugou, kou, chuuten, offset, divide, henkan, zamen, men,
           help_windows]
FILES = ["方向・距離DATA.TXT", "連続座標計算DATA.TXT", "逆ﾄﾗﾊﾞｰｽDATA.TXT", "放射トラバースDATA.TXT",
         "結合ﾄﾗﾊﾞｰｽDATA.TXT", "交点DATA.TXT", "中間点DATA.TXT", "ｵﾌｾｯﾄDATA.TXT", "分割DATA.TXT",
         "座標変換DATA.TXT", "座標面積DATA.TXT"]


# ---- The run ------------------------------------------------------------------

# What the program's Wine keeps of the caller's environment (tests/windows/wine-env.sh).
WINE_VARIABLES = ("HOME", "WINEPREFIX", "WINEDEBUG", "WINEDLLOVERRIDES", "LANG", "LC_ALL")


def wine_on(session):
    """The environment for Wine on the session's display. A Wine server
    already running (the tests on the offscreen platform start one without
    a display) is ended, so that the next Wine program starts one whose
    desktop is on this display; the program then runs on what it brought
    along, without the build's Qt on WINEPATH."""
    subprocess.run(["wineserver", "-k"], check=False)
    subprocess.run(["wineserver", "-w"], check=False)
    session.env.update({k: os.environ[k] for k in WINE_VARIABLES if k in os.environ})
    session.env.pop("WINEPATH", None)
    return session.env


def restore_wine():
    """The Wine server as the other tests want it: no display, started
    ahead (tests/windows/wine-server.sh)."""
    here = os.path.dirname(os.path.abspath(__file__))
    subprocess.run(["sh", os.path.join(here, "..", "windows", "wine-server.sh")], check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def wine_desktop(env):
    """The Wine user's Desktop folder as the shell reports it, as a Linux path."""
    out = subprocess.run(["wine", "reg", "query",
                          r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders",
                          "/v", "Desktop"], env=env, capture_output=True, text=True, timeout=60)
    value = [line.split("REG_SZ", 1)[1].strip() for line in out.stdout.splitlines() if "REG_SZ" in line]
    if not value:
        raise SessionError(f"no Desktop folder in the registry: {out.stdout!r} {out.stderr!r}")
    unix = subprocess.run(["winepath", "-u", value[0]], env=env, capture_output=True, text=True, timeout=60)
    return os.path.realpath(unix.stdout.strip())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", required=True, help="the Windows build folder")
    parser.add_argument("--out", required=True, help="folder for screenshots and logs")
    args = parser.parse_args()
    out = os.path.abspath(args.out)
    started = time.monotonic()

    # The program as the install step lays it out.
    install = os.path.join(out, "e2e-install")
    shutil.rmtree(install, ignore_errors=True)
    subprocess.run(["cmake", "--install", args.build, "--prefix", install], check=True,
                   stdout=subprocess.DEVNULL)

    session = Session(os.path.join(out, "e2e-logs"), accessibility=False)
    checks = Checks()
    try:
        session.start()
        env = wine_on(session)
        desktop = wine_desktop(env)
        os.makedirs(desktop, exist_ok=True)
        for name in os.listdir(desktop):
            if name.endswith("DATA.TXT"):
                os.remove(os.path.join(desktop, name))
        program = session.start_program(["wine", os.path.join(install, "tarnel.exe")])
        driver = Driver(session, program, desktop, out, checks)
        driver.wait_active("Tarnel", timeout=90)
        driver.shot("MENU")
        for screen in SCREENS:
            try:
                screen(driver)
            except (Failed, SessionError) as e:
                # One screen's failure must not hide the others.
                driver.check(False, f"{screen.__name__}: the example ran to its end", str(e))
                driver.shot(f"failure-{screen.__name__}")
                for _ in range(3):
                    if driver.active_title() == "Tarnel":
                        break
                    driver.keys("Escape")
                    time.sleep(0.5)
        found = sorted(n for n in os.listdir(desktop) if n.endswith("DATA.TXT"))
        checks.equal(found, sorted(FILES), "the Desktop holds one file per screen that writes one")
        driver.keys("ctrl+q")
        try:
            driver.check(program.wait(timeout=STEP_TIMEOUT) == 0, "Ctrl+Q on the menu ends the program")
        except subprocess.TimeoutExpired:
            driver.check(False, "Ctrl+Q on the menu ends the program", "still running")
    except (Failed, SessionError) as e:
        checks.check(False, "the run went to its end", str(e))
    finally:
        session.stop()
        restore_wine()

    print(f"wine e2e run took {time.monotonic() - started:.1f} s", flush=True)
    print(f"{checks.passed} passed, {checks.failed} failed", flush=True)
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
