"""Division on the real display: no values on the screen, a box that
points to the file, and the explanatory drawing."""

FILES = ["分割DATA.TXT"]


def run(d):
    name = "分割"
    d.choose_from_menu(["２点間（CE,OF,DI）", "分 割"])
    w = d.wait_active("２点間（分割）")
    d.check_boxes_named(w, name)
    d.shot("DIVIDE-load")
    d.fill(w, ["0", "0", "90", "0", "3"])
    d.press(w, "計\u3000\u3000算")
    box = d.wait_active("計算結果")
    text = d.screen.dialog_text(box)
    d.checks.check("分割DATA.TXT ﾌｧｲﾙを参照して下さい。" in text,
                   f"{name}: the box points to the file", f"text {text!r}")
    d.shot("DIVIDE-box")
    d.keys("Return")
    w = d.wait_active("２点間（分割）")
    d.check_typed(w, name, ["0", "0", "90", "0", "3"])
    d.shot("DIVIDE")
    d.check_file("分割DATA.TXT", " 2  点目   距離  60    X 座標  60    Y 座標  0 ")
    d.back_to_menu(w)
