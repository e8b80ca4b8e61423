"""Direction and distance on the real display."""

import time

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = ["方向・距離DATA.TXT"]


def run(d):
    name = "方向距離"
    d.choose_from_menu(["方向角・座標差"])
    w = d.wait_active("方向・距離")
    d.check_boxes_named(w, name)
    d.fill(w, ["0", "0", "100", "100"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "方向角 =", ["45", "0", "0"])
    d.check_results(w, name, "距\u3000 離 =", ["141.421"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, ["0", "0", "100", "100"])
    d.shot("HOU")
    d.check_file("方向・距離DATA.TXT", "方向角  45 - 0 - 0   距\u3000離 141.421 m")
    d.back_to_menu(w)
