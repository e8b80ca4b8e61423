"""Single coordinate on the real display."""

import time

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = []


def run(d):
    name = "単独座標計算"
    d.choose_from_menu(["単独座標計算"])
    w = d.wait_active("単独座標計算")
    d.check_boxes_named(w, name)
    d.fill(w, ["100", "200", "90.0000", "50"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, " X 座標 =", ["100"])
    d.check_results(w, name, " Y 座標 =", ["250"])
    d.check_result_descriptions(w, name)
    d.shot("TANZA")
    d.back_to_menu(w)
