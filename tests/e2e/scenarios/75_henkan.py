"""Coordinate transformation on the real display."""

FILES = ["座標変換DATA.TXT"]


def run(d):
    name = "座標変換"
    d.choose_from_menu(["座標変換"])
    w = d.wait_active("座標変換")
    d.check_boxes_named(w, name)
    typed = ["0", "0", "100", "0", "1000", "2000", "1000", "2100", "10", "10"]
    d.fill(w, typed)
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "X\u3000座標", ["990.0001"])
    d.check_results(w, name, "Y\u3000座標", ["2009.9999"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, typed)
    d.shot("HENKAN")
    d.check_file("座標変換DATA.TXT", "変換後 X  990.0001   変換後 Y 2009.9999 ")
    d.back_to_menu(w)
