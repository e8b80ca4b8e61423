"""Area from coordinates on the real display."""

import time

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = ["座標面積DATA.TXT"]


def run(d):
    name = "座標面積"
    d.choose_from_menu(["座標面積計算"])
    hint = d.wait_active("計算方法")
    text = d.screen.dialog_text(hint)
    d.checks.check("INPUT ボタンを押します" in text, f"{name}: the hint box tells how",
                      f"text {text!r}")
    d.shot("ZAMEN-hint")
    d.keys("Return")
    w = d.wait_active("座標面積計算")
    d.check_boxes_named(w, name)
    corners = [("0", "0"), ("0", "10"), ("10", "10"), ("10", "0")]
    for x, y in corners:
        d.fill(w, [x, y])
        d.press(w, "INPUT")
        time.sleep(0.2)
    d.press(w, "計\u3000\u3000算")
    box = d.wait_active("計算結果")
    text = d.screen.dialog_text(box)
    d.checks.check("面積 = 100 ㎡" in text.splitlines(),
                      f"{name}: the result box says 面積 = 100 ㎡", f"text {text!r}")
    d.shot("ZAMEN-result")
    d.keys("Return")
    w = d.wait_active("座標面積計算")
    d.check_results(w, name, "面積 =", ["100"])
    d.check_result_descriptions(w, name)
    d.shot("ZAMEN")
    d.check_file("座標面積DATA.TXT", "面積  100 ㎡")
    d.back_to_menu(w)

    # A parcel copied from a spreadsheet, pasted into X: asked, taken, drawn.
    d.choose_from_menu(["座標面積計算"])
    d.wait_active("計算方法")
    d.keys("Return")
    w = d.wait_active("座標面積計算")
    d.s.copy_to_clipboard("点名\tX\tY\r\n" + "".join(f"{n}\t{x}\t{y}\r\n" for n, x, y in PARCEL))
    d.keys("ctrl+v")
    box = d.wait_active("座標の入力")
    text = d.screen.dialog_text(box)
    d.checks.check(f"{len(PARCEL)} 点の座標を入力しますか？" in text, f"{name}: a paste asks first",
                   f"text {text!r}")
    d.keys("Return")
    d.screen.wait_window("区画図", active=False)
    w = d.wait_active("座標面積計算")
    d.press(w, "計\u3000\u3000算")
    d.wait_active("計算結果")
    d.keys("Return")
    w = d.wait_active("座標面積計算")
    drawing = d.screen.wait_window("区画図", active=False)
    described = drawing.description
    d.checks.check(described.startswith(f"{len(PARCEL)} 点、面積 = ") and "交差" not in described,
                   f"{name}: the drawing tells the corners and the area", f"description {described!r}")
    d.shot("ZAMEN-drawing")
    d.check_file("座標面積DATA.TXT", " 7 X 座標 -34990.5   Y 座標  11994.75 ")
    d.back_to_menu(w)
    try:
        wait_until(lambda: d.screen.window("区画図", active=False) is None, STEP_TIMEOUT, what="no drawing")
        d.checks.check(True, f"{name}: the drawing closes with the screen")
    except SessionError as e:
        d.checks.check(False, f"{name}: the drawing closes with the screen", str(e))


# Seven corners of a parcel in the plane system, as a spreadsheet holds them.
PARCEL = [("K1", "-34980.125", "12000.5"), ("K2", "-34978.5", "12018.25"), ("K3", "-34990.25", "12026.75"),
          ("K4", "-35004.75", "12021.875"), ("K5", "-35008.25", "12008.5"), ("K6", "-35001.125", "11996.25"),
          ("K7", "-34990.5", "11994.75")]
