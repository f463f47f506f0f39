"""The windows at 144 DPI (150 %): a Wine session of its own, started with LogPixels 144."""
import time

from harness import Desktop, wait_until, wine_session_with
from test_about import open_about
from test_editor import open_editor

DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"


def sizes(rect):
    left, top, right, bottom = rect
    return right - left, bottom - top


def open_both(d, shot):
    """The editor's and the about box's outer sizes; the editor's rectangle and the work area."""
    d.start_hopdirs()
    editor = open_editor(d)
    work = d.probe_json("screen")["work"]
    d.keys("esc")
    d.wait_no_window(cls="HopdirsList")
    time.sleep(1.2)
    box = open_about(d)
    time.sleep(0.3)
    d.screenshot(shot)
    d.keys("enter")
    d.wait_no_window(cls="HopdirsAbout")
    return editor["rect"], box["rect"], work


def test_at_144_dpi_the_windows_grow_by_half_and_the_editor_stays_on_the_work_area():
    with Desktop() as d:
        editor96, box96, _ = open_both(d, "about_box_96dpi")
    with wine_session_with(DESKTOP_KEY, "LogPixels", "REG_DWORD", 144, restore=None):
        with Desktop() as d:
            assert d.probe_json("screen")["dpi"] == 144
            editor, box, work = open_both(d, "about_box_144dpi")
    assert work[3] < 768, "the taskbar reserves the bottom"
    assert (editor[2], editor[3]) == (work[2] + 1, work[3]), (editor, work)
    for small, large in ((editor96, editor), (box96, box)):
        for a, b in zip(sizes(small), sizes(large)):
            assert abs(b - 1.5 * a) <= 6, (small, large)  # the frame grows a little less
