"""Midpoint on the real display."""

FILES = ["中間点DATA.TXT"]


def run(d):
    name = "中間点"
    d.choose_from_menu(["２点間（CE,OF,DI）", "中 点"])
    w = d.wait_active("２点間（中間点）")
    d.check_boxes_named(w, name)
    d.fill(w, ["0", "0", "100", "50"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "X 座標 =", ["50"])
    d.check_results(w, name, "Y 座標 =", ["25"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, ["0", "0", "100", "50"])
    d.shot("CHUUTEN")
    d.check_file("中間点DATA.TXT", "X 座標  50   Y 座標  25 ")
    d.back_to_menu(w)
