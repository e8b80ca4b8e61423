"""Connecting traverse on the real display: the worked example typed
through the keyboard, its report, and the explanation window."""

from desktop_session import SessionError, wait_until
from e2e_test import SEPARATOR, STEP_TIMEOUT

FILE = "結合ﾄﾗﾊﾞｰｽDATA.TXT"
FILES = [FILE]

KNOWN = ["3", "1000", "1000", "1109.004", "1371.607", "240", "80"]
PAIRS = [("180.0010", "150.010"), ("215", "120"), ("154.5950", "129.995"), ("190.0020", None)]

I = " " * 9
REPORT = [
    SEPARATOR,
    "区分 3 級基準点測量",
    "閉合差許容範囲   0 - 0 - 40 ",
    "方向角閉合差   + 0 - 0 - 20 ",
    "基準A-X  1000 ",
    "基準A-Y  1000 ",
    "Tα 240",
    "基準B-X  1109.004 ",
    "基準B-Y  1371.607 ",
    "Tβ  80 ",
    "",
    "X 誤差  .009   Y 誤差  .002 ",
    "閉合誤差  .009 ",
    "1 : 44445 ",
    "",
    " A → 1 :調整交角  180 - 0 - 5 ",
    I + "距\u3000離  150.01 ",
    I + "方向角  60 - 0 - 5 ",
    I + "緯\u3000距  75.002   経\u3000距  129.914 ",
    I + "調緯距  74.998   調経距  129.913 ",
    I + "X\u3000座標  1075.002   Y\u3000座標  1129.914 ",
    I + "合緯距X  1074.998   合経距Y  1129.913 ",
    " 1 → 2 :調整交角  214 - 59 - 55 ",
    I + "距\u3000離  120 ",
    I + "方向角  95 - 0 - 0 ",
    I + "緯\u3000距 -10.459   経\u3000距  119.543 ",
    I + "調緯距 -10.461   調経距  119.543 ",
    I + "X\u3000座標  1064.543   Y\u3000座標  1249.458 ",
    I + "合緯距X  1064.537   合経距Y  1249.456 ",
    " 2 → B :調整交角  154 - 59 - 45 ",
    I + "距\u3000離  129.995 ",
    I + "方向角  69 - 59 - 45 ",
    I + "緯\u3000距  44.47   経\u3000距  122.152 ",
    I + "調緯距  44.467   調経距  122.151 ",
    I + "X\u3000座標  1109.013   Y\u3000座標  1371.61 ",
    I + "合緯距X  1109.004   合経距Y  1371.607 ",
    " B → D :調整交角  190 - 0 - 15 ",
    I + "方向角  80 - 0 - 0 ",
    SEPARATOR,
]


def focus_is_class_box(d, w, name, after):
    try:
        wait_until(lambda: (d.screen.focused(w) or w).name == "区分", STEP_TIMEOUT,
                   what="the focus in the class box")
        d.checks.check(True, f"{name}: {after} the focus is in the class box")
    except SessionError as e:
        d.checks.check(False, f"{name}: {after} the focus is in the class box", str(e))


def run(d):
    name = "結合トラ"
    title = "結合トラバース"
    d.choose_from_menu(["トラバース", "結合トラバース"])
    w = d.wait_active(title)
    d.check_boxes_named(w, name)
    d.fill(w, KNOWN)
    for angle, distance in PAIRS:
        d.fill(w, [angle] + ([distance] if distance else []))
        d.press(w, "INPUT")
    d.check_results(w, name, "入力する測点", ["4"])
    d.check_results(w, name, "次の測点", ["5"])
    d.check_result_descriptions(w, name)
    d.shot("KETSUGOU")

    d.press(w, "計\u3000\u3000算")
    box = d.wait_active("計算結果")
    text = d.screen.dialog_text(box)
    d.checks.check("結合ﾄﾗﾊﾞｰｽDATA.TXT ﾌｧｲﾙを参照して下さい。" in text,
                   f"{name}: the result box points to the file", f"text {text!r}")
    d.shot("KETSUGOU-result")
    d.keys("Return")
    w = d.wait_active(title)
    focus_is_class_box(d, w, name, "after the calculation")
    # Row by row: the class; AX, BX, the angle; AY, BY, the distance; Tα, Tβ.
    d.check_typed(w, name, ["3", "1000", "1109.004", "190.0020", "1000", "1371.607", "", "240", "80"])
    d.check_file(FILE, REPORT)

    d.press(w, "計算方法及び説明")
    help_window = d.wait_active("計算方法及び説明")
    d.shot("KETSUGOU-explanation")
    d.press(help_window, "閉じる")
    w = d.wait_active(title)
    focus_is_class_box(d, w, name, "after 閉じる")
    d.back_to_menu(w)
