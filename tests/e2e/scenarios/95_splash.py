"""The product window on the real display: its title bar stays empty."""

import time

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = []


def visible_windows(d):
    out = d.s.run(["xdotool", "search", "--onlyvisible", "--name", ".*"], check=False).stdout.split()
    names = {}
    for wid in out:
        got = d.s.run(["xdotool", "getwindowname", wid], check=False)
        if got.returncode == 0:
            names[wid] = got.stdout.rstrip("\n")
    return names


def run(d):
    before = visible_windows(d)
    d.keys("alt+h")
    d.step_until("Down", d.screen.focused_menu_item, lambda n: n.name == "製品・Ver情報", 8,
                 "the menu entry '製品・Ver情報'")
    d.keys("Return")
    try:
        new = wait_until(lambda: {w: n for w, n in visible_windows(d).items()
                                  if w not in before and w and n != "Tarnel"} or None,
                         STEP_TIMEOUT, what="the product window")
        titles = sorted(set(new.values()))
        d.checks.check(all(t.strip() == "" for t in titles) and "Tarnel" not in titles,
                       "frmSplash: the title bar is empty", f"titles {titles!r}")
    except SessionError as e:
        d.checks.check(False, "frmSplash: the title bar is empty", str(e))
    time.sleep(0.3)
    d.shot("SPLASH")
    d.keys("alt+F4")
    d.wait_active("Tarnel")
