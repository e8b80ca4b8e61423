"""Triangle area on the real display: three pages, turned with the mouse and
with Ctrl+Tab, one example on each."""

from desktop_session import SessionError, wait_until
from e2e_test import STEP_TIMEOUT, normalized

FILES = []

PAGES = {
    "ヘロン": ["a辺", "b辺", "c辺"],
    "２辺夾角": ["a辺", "b辺", "C角"],
    "２角夾辺": ["b辺", "A角", "B角"],
}


def page_tab(d, w, caption):
    tabs = [n for n in d.screen.walk(w) if n.getRoleName() == "page tab" and n.name == caption]
    return tabs[0] if tabs else None


def wait_for_page(d, w, caption, how):
    """The page is in front: its own three boxes are the ones showing."""
    name = "面積計算"

    def shown():
        return [normalized(b.name) for b in d.screen.boxes(w)] == PAGES[caption]
    try:
        wait_until(shown, STEP_TIMEOUT, what=f"the page {caption}")
        d.checks.check(True, f"{name}: {how} shows the page {caption}")
    except SessionError as e:
        d.checks.check(False, f"{name}: {how} shows the page {caption}", str(e))


def click_tab(d, w, caption):
    tab = wait_until(lambda: page_tab(d, w, caption), STEP_TIMEOUT, what=f"the tab {caption}")
    x, y, width, height = d.screen.extents(tab)
    d.s.run(["xdotool", "mousemove", "--sync", str(x + width // 2), str(y + height // 2), "click", "1"])
    wait_for_page(d, w, caption, "a click on its tab")


def run(d):
    name = "面積計算"
    d.choose_from_menu(["面積計算"])
    w = d.wait_active("面積計算")
    d.checks.equal([n.name for n in d.screen.walk(w) if n.getRoleName() == "page tab"], list(PAGES),
                   f"{name}: three pages in order")
    wait_for_page(d, w, "ヘロン", "opening")

    d.check_boxes_named(w, name)
    d.fill(w, ["3", "4", "5"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "A角 =", ["36", "52", "11.6"])
    d.check_results(w, name, "B角 =", ["53", "7", "48.4"])
    d.check_results(w, name, "C角 =", ["90", "0", "0"])
    d.check_results(w, name, "面積 =", ["6"])
    d.check_result_descriptions(w, name)
    d.shot("MEN-heron")

    # The mouse: the focus follows into the page's first box.
    click_tab(d, w, "２辺夾角")
    d.check_boxes_named(w, name)
    d.fill(w, ["3", "4", "90.0000"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "A角 =", ["36", "52", "11.6"])
    d.check_results(w, name, "B角 =", ["53", "7", "48.4"])
    d.check_results(w, name, "c辺 =", ["5"])
    d.check_results(w, name, "面積 =", ["6"])
    d.check_result_descriptions(w, name)
    d.shot("MEN-sides-angle")

    # The keyboard: Ctrl+Tab from the first box to the next page.
    d.keys("ctrl+Tab")
    wait_for_page(d, w, "２角夾辺", "Ctrl+Tab")
    d.check_boxes_named(w, name)
    d.fill(w, ["10", "30.0000", "60.0000"])
    d.press(w, "計\u3000\u3000算")
    d.check_results(w, name, "a辺 =", ["5.774"])
    d.check_results(w, name, "c辺 =", ["11.547"])
    d.check_results(w, name, "C角 =", ["90", "0", "0"])
    d.check_results(w, name, "面積 =", ["28.868"])
    d.check_result_descriptions(w, name)
    d.shot("MEN-angles-side")

    # Back on the first page its calculation is still there.
    click_tab(d, w, "ヘロン")
    d.check_results(w, name, "面積 =", ["6"])
    d.back_to_menu(w)
