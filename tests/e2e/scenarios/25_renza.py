"""Continuous coordinates on the real display: two legs of a chain."""

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
    d.check_file("連続座標計算DATA.TXT", "X座標  0   Y座標 141.421 ")
    d.back_to_menu(w)
