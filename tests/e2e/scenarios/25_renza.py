"""Continuous coordinates on the real display: two legs of a chain."""

from e2e_test import SEPARATOR

FILES = ["連続座標計算DATA.TXT"]


def run(d):
    name = "連続座標計算"
    d.choose_from_menu(["連続座標計算"])
    w = d.wait_active("連続座標計算")
    d.check_boxes_named(w, name)
    d.fill(w, ["0", "0", "45.0000", "100"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, " X 座標 =", ["70.711"])
    d.check_results(w, name, " Y 座標 =", ["70.711"])
    d.check_result_descriptions(w, name)
    # The new point, unrounded, is the base of the next leg.
    d.check_typed(w, name, ["70.7106781186548", "70.7106781186547", "45.0000", "100"])
    d.shot("RENZA")
    # The focus waits in the angle box with its text selected.
    d.type("135.0000")
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, " X 座標 =", ["0"])
    d.check_results(w, name, " Y 座標 =", ["141.421"])
    d.check_file("連続座標計算DATA.TXT", [
        SEPARATOR,
        "基準 X 0",
        "基準 Y 0",
        "方向角 45.0000",
        "距\u3000離 100",
        "X座標  70.711   Y座標 70.711 ",
        SEPARATOR,
        SEPARATOR,
        "基準 X 70.7106781186548",
        "基準 Y 70.7106781186547",
        "方向角 135.0000",
        "距\u3000離 100",
        "X座標  0   Y座標 141.421 ",
        SEPARATOR,
    ])
    d.back_to_menu(w)
