"""Inverse traverse on the real display."""

FILES = ["逆ﾄﾗﾊﾞｰｽDATA.TXT"]


def run(d):
    name = "逆トラ"
    d.choose_from_menu(["トラバース", "逆トラバース"])
    w = d.wait_active("逆トラバース")
    d.check_boxes_named(w, name)
    d.fill(w, ["0", "0", "100", "0", "0", "100"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "角\u3000度 =", ["90", "0", "0"])
    d.check_results(w, name, "距\u3000離 =", ["100"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, ["0", "0", "100", "0", "0", "100"])
    d.shot("GYAKU")
    d.check_file("逆ﾄﾗﾊﾞｰｽDATA.TXT", "角\u3000度  90 - 0 - 0   距\u3000離  100 m")
    d.back_to_menu(w)
