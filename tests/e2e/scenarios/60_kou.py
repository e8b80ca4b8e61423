"""Intersection on the real display, in both modes."""

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT

FILES = ["交点DATA.TXT"]


def run(d):
    name = "交点"
    d.choose_from_menu(["交点"])
    w = d.wait_active("交点")
    d.check_boxes_named(w, name)
    # No option chosen yet: the direction angles are the ones shown and used.
    d.fill(w, ["0", "0", "45", "100", "0", "135"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "求点 X =", ["50"])
    d.check_results(w, name, "基点AP=", ["70.7107"])
    d.check_result_descriptions(w, name)
    d.check_typed(w, name, ["0", "100", "0", "0", "45", "135"])
    d.shot("KOU")

    # Included angles: Tab to the options, the arrow to 夾　角, Space.
    d.focus_to(w, "radio button", "方向角")
    d.keys("Right", "space")
    try:
        wait_until(lambda: (d.screen.focused(w) or w).getRoleName() == "text" and
                   "" in [d.screen.text_of(b) for b in d.screen.boxes(w)],
                   STEP_TIMEOUT, what="the included-angle boxes, empty, with the focus back in a box")
        d.checks.check(True, f"{name}: 夾　角 shows its own angle boxes")
    except SessionError as e:
        d.checks.check(False, f"{name}: 夾　角 shows its own angle boxes", str(e))
    d.fill(w, ["0", "0", "315", "100", "0", "45"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "求点 Y =", ["-50"])
    d.check_results(w, name, "基点BP=", ["70.7107"])
    d.shot("KOU-included")
    d.check_file("交点DATA.TXT", "求点 Y -50   BP距離  70.7107 m")
    # This screen's menu button reads "MENU", without blanks.
    d.press(w, "MENU", key="space")
    d.wait_active("Tarnel")
