"""The book of points on the real display: a SIMA file in Shift-JIS opened
into it, two points taken into 方向・距離 with F4, 交点 calculated and
registered with Ctrl+R, and the book saved back to its file."""

import os
import time

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = []

# In the home folder: a path of ASCII letters, typed into the file dialog.
SIMA = "genkyo.sim"
POINTS = "G00,01,現況,\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\nA01,1,K1,0,0,,\r\nA01,2,K2,0,100,5.5,\r\nA99,\r\n"


def cells(d, window):
    return [n.name for n in d.screen.walk(window) if n.getRoleName() == "table cell"]


def pick(d, w, number):
    """F4 in the focused box, the point's number typed into the list, Enter."""
    d.keys("F4")
    time.sleep(0.5)
    d.type(number)
    d.keys("Return")
    time.sleep(0.3)


def run(d):
    path = os.path.join(os.path.dirname(d.s.desktop), SIMA)
    with open(path, "wb") as f:
        f.write(POINTS.encode("cp932"))

    # The book from the menu, and the file into it.
    d.keys("ctrl+b")
    book = d.wait_active("座標簿")
    d.keys("ctrl+o")
    d.wait_active("座標ファイルを開く")
    d.type(path)
    d.keys("Return")
    book = d.wait_active("座標簿")
    try:
        shown = wait_until(lambda: (lambda c: c if "K2" in c else None)(cells(d, book)), STEP_TIMEOUT,
                           what="the points in the book")
        d.checks.check("K1" in shown and "5.5" in shown, "座標簿: the file's points are in the table",
                       f"cells {shown[:12]!r}")
    except SessionError as e:
        d.checks.check(False, "座標簿: the file's points are in the table", str(e))
    d.keys("alt+F4")
    d.wait_active("Tarnel")

    # Two points of the book into 方向・距離.
    d.choose_from_menu(["方向角・座標差"])
    w = d.wait_active("方向・距離")
    pick(d, w, "1")
    pick(d, w, "2")
    d.check_typed(w, "方向距離", ["0", "0", "0", "100"])
    d.keys("Return")  # the focus is on 計算 after the second pair
    d.check_results(w, "方向距離", "方向角 =", ["90", "0", "0"])
    d.check_file("方向・距離DATA.TXT", "方向角  90 - 0 - 0   距\u3000離 100 m")
    d.back_to_menu(w)

    # 交点 calculated, its point registered, the book saved.
    d.choose_from_menu(["交点"])
    w = d.wait_active("交点")
    d.fill(w, ["0", "0", "45", "100", "0", "135"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, "交点", "求点 X =", ["50"])
    d.keys("ctrl+r")
    d.wait_active("座標簿に登録")
    d.keys("Return")  # the name offered: 交点1
    d.wait_active("座標簿に登録")
    d.keys("Return")  # 点番 3 に登録しました。
    w = d.wait_active("交点")
    d.keys("ctrl+b")
    book = d.wait_active("座標簿")
    time.sleep(0.5)
    d.shot("BOOK")
    d.keys("ctrl+s")
    time.sleep(1.0)
    with open(path, "rb") as f:
        saved = f.read()
    d.checks.check(saved.endswith(b"\r\n") and "A01,3,交点1,50,50,,\r\n".encode("cp932") in saved and
                   "A01,2,K2,0,100,5.5,\r\n".encode("cp932") in saved,
                   "座標簿: Ctrl+S writes the registered point to the SIMA file in Shift-JIS",
                   f"bytes {saved!r}")
    d.keys("alt+F4")
    w = d.wait_active("交点")
    d.press(w, "MENU", key="space")
    d.wait_active("Tarnel")
