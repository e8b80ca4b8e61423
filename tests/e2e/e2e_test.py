#!/usr/bin/python3
"""End-to-end test of Tarnel on a real X server.

Starts the built program on a private desktop (Xvfb, its own D-Bus session
and accessibility bus, openbox), drives it with real key presses through
xdotool, reads the screens from outside through AT-SPI, and checks the
result files on the Desktop, decoded with iconv. A screenshot of every
screen visited is saved as e2e-<screen>.png in the output folder.

Run with Debian's python3 (pyatspi comes from the python3-pyatspi package):

    /usr/bin/python3 tests/e2e/e2e_test.py --program build/tarnel --out build

Finding things on the screen. Qt 6.4 does not pass objectNames to AT-SPI,
so controls are found the way a screen-reader user finds them:
  - a window by its title;
  - an input box by its accessible name, which is the caption in front of it;
  - a result label by its accessible description, which is the caption of
    the result or begins with it ("方向角（度）" for the degrees of
    "方向角 ="); where no label has one, by position: the labels to the right of
    the caption on the same row, left to right, up to the next caption.
A label's text is its accessible name.
"""

import argparse
import os
import signal
import subprocess
import sys
import threading
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import Session, SessionError, wait_until  # noqa: E402

STEP_TIMEOUT = 15  # seconds for one wait on the screen


# ---------------------------------------------------------------------------
# Results of the checks


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what, detail=""):
        if ok:
            self.passed += 1
            print(f"PASS: {what}", flush=True)
        else:
            self.failed += 1
            print(f"FAIL: {what}" + (f"\n      {detail}" if detail else ""), flush=True)
        return ok

    def equal(self, actual, expected, what):
        return self.check(actual == expected, what,
                          f"expected {expected!r}\n      actual   {actual!r}")


class Aborted(Exception):
    """A step the rest of the scenario depends on did not happen."""


# ---------------------------------------------------------------------------
# Reading the program through AT-SPI


def normalized(text):
    """A caption as a screen reader speaks it: no blanks, no trailing '='."""
    return "".join(ch for ch in (text or "") if ch not in " \u3000").rstrip("=")


def is_number(text):
    try:
        float(text)
        return True
    except ValueError:
        return False


class Screen:
    """The program's accessible tree, read afresh on every call."""

    def __init__(self, atspi, program):
        self.pyatspi = atspi
        self.program = program
        self.pid = program.pid

    def app(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == self.pid:
                app.clear_cache()
                return app
        return None

    def walk(self, node):
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from self.walk(child)

    def states(self, node):
        return {self.pyatspi.stateToString(s) for s in node.getState().getStates()}

    def window(self, title, active=False):
        app = self.app()
        if app is None:
            return None
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is None or w.name != title:
                continue
            st = self.states(w)
            if "showing" in st and (not active or "active" in st):
                return w
        return None

    def wait_window(self, title, active=True, timeout=STEP_TIMEOUT):
        def shown():
            w = self.window(title, active)
            if w is None and self.program.poll() is not None:
                raise SessionError(f"the program ended (exit code {self.program.returncode}) "
                                   f"instead of showing '{title}'")
            return w
        return wait_until(shown, timeout, raising=(SessionError,),
                          what=f"the window '{title}'" + (" to be active" if active else ""))

    def showing(self, window, role):
        return [n for n in self.walk(window)
                if n.getRoleName() == role and "showing" in self.states(n)]

    def extents(self, node):
        e = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def text_of(self, node):
        t = node.queryText()
        return t.getText(0, t.characterCount)

    def focused(self, window):
        for n in self.walk(window):
            if "focused" in self.states(n) and n.getRoleName() != "menu bar":
                return n
        return None

    def focused_menu_item(self):
        app = self.app()
        found = None
        for n in self.walk(app):
            if n.getRoleName() == "menu item" and "focused" in self.states(n) and \
                    n.parent is not None and n.parent.getRoleName() != "menu bar":
                found = n  # the deepest open menu comes last
        return found

    def boxes(self, window):
        """Showing input boxes, top to bottom, left to right."""
        boxes = [n for n in self.showing(window, "text") if "editable" in self.states(n)]
        return sorted(boxes, key=lambda n: (self.extents(n)[1], self.extents(n)[0]))

    def labels(self, window):
        return self.showing(window, "label")

    def results(self, window, caption):
        """The result labels of a caption: (texts left to right, how found)."""
        want = normalized(caption)
        labels = self.labels(window)
        # "方向角（度）" is one of the results of "方向角 =".
        described = [n for n in labels
                     if n.description and normalized(n.description).startswith(want)]
        if described:
            described.sort(key=lambda n: self.extents(n)[0])
            return [n.name for n in described], "description"
        heads = [n for n in labels if normalized(n.name) == want]
        if not heads:
            return None, f"no caption '{caption}'"
        hx, hy, hw, hh = self.extents(heads[0])
        row = []
        for n in labels:
            if n is heads[0]:
                continue
            x, y, w, h = self.extents(n)
            if x >= hx + hw - 2 and y < hy + hh and hy < y + h:
                row.append((x, n))
        row.sort(key=lambda p: p[0])
        texts = []
        for _, n in row:
            if n.name.rstrip().endswith("="):
                break  # the next caption on the row
            texts.append(n.name)
        return texts, "position"

    def dialog_text(self, dialog):
        return "\n".join(n.name for n in self.walk(dialog)
                         if n.getRoleName() == "label" and n.name)


# ---------------------------------------------------------------------------
# The scenario


class Driver:
    def __init__(self, session, screen, checks, out):
        self.s = session
        self.screen = screen
        self.checks = checks
        self.out = out

    # ---- keyboard ----

    def keys(self, *names):
        self.s.run(["xdotool", "key", "--clearmodifiers", "--delay", "60", *names])

    def type(self, text):
        self.s.run(["xdotool", "type", "--clearmodifiers", "--delay", "40", text])

    def shot(self, name):
        path = os.path.join(self.out, f"e2e-{name}.png")
        try:
            self.s.run(["import", "-window", "root", path], timeout=20)
            print(f"screenshot: {path}", flush=True)
        except Exception as e:  # a missing picture must not hide the checks
            print(f"screenshot {name} failed: {e}", flush=True)

    # ---- steps ----

    def wait_active(self, title, timeout=STEP_TIMEOUT):
        try:
            w = self.screen.wait_window(title, timeout=timeout)
        except SessionError as e:
            self.checks.check(False, f"window '{title}' is shown and has the keyboard", str(e))
            raise Aborted(str(e))
        self.checks.check(True, f"window '{title}' is shown and has the keyboard")
        return w

    def step_until(self, key, current, wanted, limit, what):
        """Presses key until current() is wanted; after each press waits for
        the highlight or focus to move, so that a slow screen is not
        overshot."""
        seen = wait_until(current, STEP_TIMEOUT, what=what)
        for _ in range(limit):
            if wanted(seen):
                return seen
            before = self.where(seen)
            self.keys(key)
            def moved():
                n = current()
                return n if n is not None and self.where(n) != before else None
            try:
                seen = wait_until(moved, 3, interval=0.05, what=what)
            except SessionError:
                seen = wait_until(current, STEP_TIMEOUT, what=what)
        if wanted(seen):
            return seen
        raise Aborted(f"{what}: never reached after {limit} presses of {key}")

    def where(self, node):
        return node.getRoleName(), node.name, self.screen.extents(node)

    def choose_from_menu(self, path):
        """Opens a main-menu entry with Alt+P and the arrow keys."""
        self.keys("alt+p")
        for depth, entry in enumerate(path):
            self.step_until("Down", self.screen.focused_menu_item, lambda n: n.name == entry,
                            16, f"the menu entry '{entry}'")
            self.keys("Right" if depth + 1 < len(path) else "Return")
            if depth + 1 < len(path):
                # The submenu opens with its first entry highlighted.
                def in_submenu(entry=entry):
                    item = self.screen.focused_menu_item()
                    return item is not None and item.name != entry
                wait_until(in_submenu, STEP_TIMEOUT, what=f"the submenu of '{entry}'")

    def focus_to(self, window, role, name, limit=24):
        """Presses Tab until the control with this role and name has the focus."""
        return self.step_until(
            "Tab", lambda: self.screen.focused(window),
            lambda n: n.getRoleName() == role and n.name == name, limit,
            f"the focus on the {role} '{name}'")

    def fill(self, window, values):
        """Types the values into the boxes, from the focused one on, with Tab between."""
        wait_until(lambda: (self.screen.focused(window) or window).getRoleName() == "text",
                   STEP_TIMEOUT, what="the focus in an input box")
        for v in values:
            self.type(v)
            self.keys("Tab")

    def press(self, window, caption, key="Return"):
        self.focus_to(window, "push button", caption)
        self.keys(key)

    def back_to_menu(self, window):
        self.press(window, "M E N U", key="space")
        self.wait_active("Tarnel")

    def check_boxes_named(self, window, screen_name):
        """Each box is called by its caption, and no two boxes alike."""
        captions = {normalized(n.name) for n in self.screen.labels(window)}
        names = [normalized(b.name or b.description) for b in self.screen.boxes(window)]
        self.checks.check(
            bool(names) and all(n and n in captions for n in names) and
            len(set(names)) == len(names),
            f"{screen_name}: each input box is named by its caption",
            f"box names {names}")

    def check_results(self, window, screen_name, caption, expected):
        def numbers():
            texts, how = self.screen.results(window, caption)
            if texts is None:
                return None
            shown = [t for t in texts if is_number(t)]
            return (shown, how) if shown == expected else None
        try:
            shown, how = wait_until(numbers, STEP_TIMEOUT, what=f"the result of '{caption}'")
            self.checks.check(True, f"{screen_name}: '{caption}' shows {' '.join(shown)} "
                              f"(found by {how})")
        except SessionError:
            texts, how = self.screen.results(window, caption)
            self.checks.equal(texts, expected, f"{screen_name}: '{caption}' shows "
                              f"{' '.join(expected)} (found by {how})")

    def check_result_descriptions(self, window, screen_name):
        """Every number result on the screen carries a description of its own."""
        results = [n for n in self.screen.labels(window)
                   if is_number(n.name) and not normalized(n.name).startswith("57.29")]
        descs = [n.description for n in results]
        self.checks.check(
            bool(results) and all(descs) and len(set(descs)) == len(descs),
            f"{screen_name}: each result label is described by its caption",
            f"descriptions {descs}")

    def check_typed(self, window, screen_name, expected):
        texts = [self.screen.text_of(b) for b in self.screen.boxes(window)]
        self.checks.equal(texts, expected, f"{screen_name}: the boxes hold what was typed")

    def check_file(self, name, key_line):
        """The file is on the Desktop in CP932 with CR LF line ends, and holds
        the key line of the calculation (the records are checked line by line
        by the survey tests)."""
        path = os.path.join(self.s.desktop, name)
        try:
            wait_until(lambda: os.path.exists(path), STEP_TIMEOUT, what=name)
        except SessionError:
            self.checks.check(False, f"{name} is written on the Desktop", f"missing: {path}")
            return
        with open(path, "rb") as f:
            raw = f.read()
        lone = raw.replace(b"\r\n", b"").count(b"\n") + raw.replace(b"\r\n", b"").count(b"\r")
        self.checks.check(raw.endswith(b"\r\n") and lone == 0,
                          f"{name}: every line ends with CR LF", f"{lone} bare line ends")
        conv = subprocess.run(["iconv", "-f", "CP932", "-t", "UTF-8", path],
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=10)
        if not self.checks.check(conv.returncode == 0, f"{name}: iconv reads it as CP932",
                                 conv.stderr.decode(errors="replace")):
            return
        lines = conv.stdout.decode("utf-8").split("\r\n")
        self.checks.check(key_line in lines, f"{name}: holds {key_line!r}", f"lines {lines!r}")

    # ---- the screens ----

    def start(self):
        # The first start also loads the fonts; give it longer.
        w = self.wait_active("Tarnel", timeout=40)
        bar = [n for n in self.screen.walk(w) if n.getRoleName() == "menu bar"]
        entries = [n.name for n in self.screen.walk(bar[0])
                   if n.getRoleName() == "menu item"] if bar else []
        self.checks.check("ﾌﾟﾛｼﾞｪｸﾄ(P)" in entries and "ヘルプ(H)" in entries,
                          "MENU: the menu bar holds ﾌﾟﾛｼﾞｪｸﾄ and ヘルプ", f"entries {entries[:8]}")
        self.shot("MENU")
        self.check_centred("Tarnel")

    def check_centred(self, title):
        """The window with its frame (title bar included) sits in the middle
        of the screen, once the window manager has framed it."""
        import re
        try:
            ids = self.s.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"]).stdout.split()
            wid = ids[0]

            def geometry():
                info = self.s.run(["xwininfo", "-id", wid]).stdout
                extents = self.s.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"]).stdout
                numbers = [int(n) for n in re.findall(r"-?\d+", extents.split("=")[-1])] if "=" in extents else []
                return info, numbers
            info, frame = wait_until(lambda: (lambda g: g if len(g[1]) == 4 else None)(geometry()),
                                     STEP_TIMEOUT, what="the window's frame")
            field = {k: int(v) for k, v in re.findall(r"(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", info)}
            root = self.s.run(["xwininfo", "-root"]).stdout
            screen = {k: int(v) for k, v in re.findall(r"(Width|Height):\s+(\d+)", root)}
            left, right, top, bottom = frame
            cx = field["Absolute upper-left X"] - left + (left + field["Width"] + right) / 2
            cy = field["Absolute upper-left Y"] - top + (top + field["Height"] + bottom) / 2
            self.checks.check(abs(cx - screen["Width"] / 2) <= 2 and abs(cy - screen["Height"] / 2) <= 2,
                              f"{title}: centred on the screen with its title bar",
                              f"centre ({cx}, {cy}) on a screen of {screen}")
        except (SessionError, IndexError, KeyError, ValueError) as e:
            self.checks.check(False, f"{title}: centred on the screen with its title bar", str(e))

    def finish(self, program, expected_files):
        files = sorted(os.listdir(self.s.desktop))
        self.checks.equal(files, sorted(expected_files),
                          "the Desktop holds one file per screen that writes one")
        self.keys("ctrl+q")
        try:
            code = program.wait(timeout=STEP_TIMEOUT)
            self.checks.equal(code, 0, "Ctrl+Q on the menu ends the program")
        except subprocess.TimeoutExpired:
            self.checks.check(False, "Ctrl+Q on the menu ends the program", "still running")

    def recover(self):
        """After a failed scenario: close whatever is open and get back to the menu."""
        for _ in range(3):
            if self.screen.window("Tarnel", active=True) is not None:
                return
            self.keys("Escape")
            time.sleep(0.3)
        raise Aborted("could not get back to the main menu")

    def check_program_log(self):
        """Warnings that mean a broken build: pictures not found, bad wiring."""
        path = os.path.join(self.s.log_dir, "program.log")
        with open(path, encoding="utf-8", errors="replace") as f:
            bad = [line.rstrip() for line in f
                   if "Cannot open file ':/" in line or "Cannot read file ':/" in line
                   or "QObject::connect" in line or "setTabOrder" in line]
        self.checks.check(not bad, "the program warns of no missing picture or broken wiring",
                          "\n      ".join(sorted(set(bad))[:10]))


def scenarios():
    """The screens' scenarios, scenarios/NN_name.py, in the order of NN. Each
    has run(driver), which opens its screen from the menu and returns to it,
    and FILES, the result files it leaves on the Desktop."""
    import importlib
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenarios")
    names = sorted(f[:-3] for f in os.listdir(folder) if f.endswith(".py") and f[0].isdigit())
    only = os.environ.get("TARNEL_E2E_ONLY")
    if only:
        names = [n for n in names if any(part in n for part in only.split(","))]
    return [importlib.import_module(f"scenarios.{n}") for n in names]


def copy_results(session, out):
    """Keeps the result files beside the screenshots for a look afterwards."""
    target = os.path.join(out, "e2e-desktop")
    os.makedirs(target, exist_ok=True)
    for name in os.listdir(session.desktop):
        with open(os.path.join(session.desktop, name), "rb") as src, \
                open(os.path.join(target, name), "wb") as dst:
            dst.write(src.read())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the built tarnel executable")
    parser.add_argument("--out", required=True, help="folder for screenshots and logs")
    parser.add_argument("--timeout", type=float, default=180, help="seconds for the whole run")
    args = parser.parse_args()

    program_path = os.path.abspath(args.program)
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    started = time.monotonic()
    checks = Checks()
    # A Japanese desktop's folder name, found through user-dirs.dirs.
    session = Session(os.path.join(out, "e2e-logs"), desktop_dir_name="デスクトップ")
    stopped = threading.Lock()

    def stop_everything():
        if stopped.acquire(blocking=False):
            session.stop()

    def give_up(reason):
        print(f"FAIL: {reason}; stopping every process of the test", flush=True)
        print(f"{checks.passed} passed, {checks.failed + 1} failed", flush=True)
        stop_everything()
        os._exit(2)

    # A call that hangs (the accessibility bus, a tool) cannot outlast this.
    watchdog = threading.Timer(args.timeout, give_up, [f"the run took over {args.timeout:.0f} s"])
    watchdog.daemon = True
    watchdog.start()
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, lambda num, frame: give_up(f"signal {num}"))

    try:
        if not os.access(program_path, os.X_OK):
            raise Aborted(f"no program at {program_path}")
        session.start()
        # pyatspi finds the accessibility bus through the session bus and
        # the X display of our desktop.
        os.environ["DISPLAY"] = session.env["DISPLAY"]
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi
        from gi.repository import Atspi
        Atspi.set_timeout(5000, 15000)  # milliseconds for one call, and at start

        program = session.start_program([program_path])
        screen = Screen(pyatspi, program)
        driver = Driver(session, screen, checks, out)
        try:
            driver.start()
            written = []
            for scenario in scenarios():
                try:
                    scenario.run(driver)
                except Aborted as e:
                    # One screen's failure must not hide the others.
                    checks.check(False, f"{scenario.__name__}: the scenario ran to its end", str(e))
                    driver.shot(f"failure-{scenario.__name__.split('.')[-1]}")
                    driver.recover()
                written += scenario.FILES
            driver.finish(program, written)
            driver.check_program_log()
        except (Aborted, SessionError) as e:
            checks.check(False, "the scenario ran to its end", str(e))
            driver.shot("failure")
        finally:
            copy_results(session, out)
    except Exception as e:
        checks.check(False, "the test itself ran", f"{e}\n{traceback.format_exc()}")
    finally:
        watchdog.cancel()
        stop_everything()

    print(f"e2e run took {time.monotonic() - started:.1f} s", flush=True)
    print(f"{checks.passed} passed, {checks.failed} failed", flush=True)
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
