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
