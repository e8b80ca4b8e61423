"""Connecting traverse on the real display: the worked example typed
through the keyboard, its report, and the explanation window."""

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILE = "結合ﾄﾗﾊﾞｰｽDATA.TXT"
FILES = [FILE]

KNOWN = ["3", "1000", "1000", "1109.004", "1371.607", "240", "80"]
PAIRS = [("180.0010", "150.010"), ("215", "120"), ("154.5950", "129.995"), ("190.0020", None)]


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
    d.check_file(FILE, "1 : 44445 ")

    d.press(w, "計算方法及び説明")
    help_window = d.wait_active("計算方法及び説明")
    d.shot("KETSUGOU-explanation")
    d.press(help_window, "閉じる")
    w = d.wait_active(title)
    focus_is_class_box(d, w, name, "after 閉じる")
    d.back_to_menu(w)
