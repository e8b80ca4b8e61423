"""Radial traverse on the real display."""

import time

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = ["放射トラバースDATA.TXT"]


def run(d):
    name = "放射トラ"
    d.choose_from_menu(["トラバース", "放射トラバース"])
    w = d.wait_active("放射トラバース")
    d.checks.equal(len(d.screen.boxes(w)), 6,
                      f"{name}: opens with the backsight boxes (included angles)")
    d.shot("HOUSHA-open")
    # Direction-angle mode: Tab to the option button and press Space.
    d.focus_to(w, "radio button", "方向角")
    d.keys("space")
    try:
        wait_until(lambda: len(d.screen.boxes(w)) == 4, STEP_TIMEOUT,
                   what="the backsight boxes to hide")
        d.checks.check(True, f"{name}: 方向角 hides the backsight boxes")
    except SessionError as e:
        d.checks.check(False, f"{name}: 方向角 hides the backsight boxes", str(e))
    d.check_boxes_named(w, name)
    d.fill(w, ["0", "0", "45", "100"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "X 座標 =", ["70.7107"])
    d.check_results(w, name, "Y 座標 =", ["70.7107"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, ["0", "0", "45", "100"])
    d.shot("HOUSHA")
    d.check_file("放射トラバースDATA.TXT", "X 座標  70.7107   Y 座標  70.7107 ")
    d.back_to_menu(w)
