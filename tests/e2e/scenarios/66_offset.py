"""Offset on the real display."""

FILES = ["ｵﾌｾｯﾄDATA.TXT"]


def run(d):
    name = "オフセット"
    d.choose_from_menu(["２点間（CE,OF,DI）", "ｵﾌｾｯﾄ"])
    w = d.wait_active("２点間（オフセット）")
    d.check_boxes_named(w, name)
    d.fill(w, ["10", "20", "40", "60", "25"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "X 座標 =", ["25"])
    d.check_results(w, name, "Y 座標 =", ["40"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, ["10", "20", "40", "60", "25"])
    d.shot("OFF")
    d.check_file("ｵﾌｾｯﾄDATA.TXT", "X 座標  25   Y 座標  40 ")
    d.back_to_menu(w)
