"""The editor and the about box under a dark colour scheme (set with SetSysColors, as a user's
scheme would be): they take the scheme's colours and stay readable."""
import contextlib
import time

from harness import Desktop, grab
from test_about import open_about
from test_editor import controls, open_editor

# COLOR_* index: colour as 0xBBGGRR.
DARK = {5: "202020", 8: "f0f0f0", 15: "383838", 16: "101010", 18: "f0f0f0", 20: "707070"}
FACE = (0x38, 0x38, 0x38)


@contextlib.contextmanager
def dark_scheme(d):
    previous = d.probe_json("colours", *[str(x) for pair in DARK.items() for x in pair])
    try:
        yield
    finally:
        d.probe("colours", *previous)


def pixels(rect):
    left, top, right, bottom = rect
    raw = grab("-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
               "-depth", "8", "rgb:-")
    return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


def assert_light_text_on_the_face(rect, what):
    found = pixels(rect)
    assert found.count(FACE) > len(found) // 2, f"{what}: not on the scheme's button face"
    assert any(min(p) >= 0xA0 for p in found), f"{what}: no light text on it"


def test_a_dark_scheme_leaves_the_editor_and_the_about_box_readable():
    with Desktop() as d, dark_scheme(d):
        d.start_hopdirs()
        editor = open_editor(d)
        time.sleep(0.3)
        d.screenshot("editor_dark")
        assert_light_text_on_the_face(controls(d, editor)[100]["rect"], "the editor's label")
        d.keys("esc")
        d.wait_no_window(cls="HopdirsList")
        time.sleep(1.2)
        box = open_about(d)
        time.sleep(0.3)
        d.screenshot("about_box_dark")
        program = d.children(box["hwnd"])[1]
        assert_light_text_on_the_face(program["rect"], "the about box's program line")
        d.keys("enter")
        d.wait_no_window(cls="HopdirsAbout")
