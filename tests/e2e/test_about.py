"""The about box opened from the tray's configuration menu, read from outside the process."""
import os
import re
import time

from harness import SCREEN, Desktop, Text, wait_until

SETTLE = 1.2


def host_memory_kilobytes():
    with open("/proc/meminfo") as meminfo:
        return next(int(line.split()[1]) for line in meminfo if line.startswith("MemTotal:"))


def assert_memory_figure(text):
    """This machine's total physical memory in kilobytes, grouped with the locale's "," (the run
    uses LANG=C.UTF-8). Wine reports the host's MemTotal in whole pages, at most one page less."""
    assert re.fullmatch(r"\d{1,3}(,\d{3})* KB", text), text
    shown = int(text[:-3].replace(",", ""))
    page_kilobytes = os.sysconf("SC_PAGE_SIZE") // 1024
    assert host_memory_kilobytes() - page_kilobytes <= shown <= host_memory_kilobytes(), text


def open_about(d):
    d.click_tray("right")
    d.wait_menu()
    d.keys("a")
    return d.wait_window(cls="HopdirsAbout")


def test_about_box_shows_the_figures_centred_and_enter_closes_it():
    with Desktop() as d:
        d.seed_registry({"Amount": "3", "Path1": "C:\\a\\", "Path2": "C:\\b\\",
                         "Path3": "C:\\c\\"})
        d.start_hopdirs()
        box = open_about(d)
        assert box["title"] == "About Hopdirs"
        texts = [child["title"] for child in d.children(box["hwnd"])]
        assert texts[1] == "File Selector Hopdir Access, 1.21"
        assert "3 Hopdirs are available" in texts
        assert "Information:" in texts
        assert "Physical Memory Available to Windows:" in texts
        assert texts[7] == "Physical Memory Available to Windows:"
        assert_memory_figure(texts[8])
        assert texts[-1] == "OK"
        assert not d.windows(cls="#32770"), "never a dialog-class window the finder could pick"

        left, top, right, bottom = box["rect"]
        assert abs(left - (SCREEN[0] - (right - left)) / 2) <= 1
        assert abs(top - (SCREEN[1] - (bottom - top)) / 2) <= 1
        focus = wait_until(lambda: d.foreground()["focus"], what="the focus in the box")
        assert focus["title"] == "OK"
        time.sleep(0.3)
        d.screenshot("about_box")

        d.keys("esc")  # no cancel button: nothing happens
        time.sleep(0.5)
        assert d.windows(cls="HopdirsAbout", visible=True)
        d.keys("enter")
        d.wait_no_window(cls="HopdirsAbout")
        assert d.hopdirs_running()
        time.sleep(SETTLE)
        d.click_tray("right")  # the command has returned: the menus work again
        d.wait_menu()
        d.keys("esc")
        d.wait_no_menu()


def test_about_box_is_modal_and_a_session_end_closes_it_after_saving():
    with Desktop() as d:
        d.seed_registry({"Amount": "1", "Path1": "C:\\a\\", "Clipboard": "0"})
        d.start_hopdirs()
        box = open_about(d)
        assert "1 Hopdirs are available" in [c["title"] for c in d.children(box["hwnd"])]
        time.sleep(SETTLE)
        d.click_tray("right")  # the program takes no input while the box is open
        time.sleep(SETTLE)
        assert d.menus() == []
        main = d.wait_window_any(cls="HopdirsMain")
        assert not main["enabled"]
        d.probe("close", str(main["hwnd"]))  # a close request from outside: save and end
        assert d.wait_hopdirs_exit() == 0
        assert d.registry() == {"Amount": "1", "Path1": "C:\\a\\", "Clipboard": "False"}


def test_a_path_added_in_the_editor_raises_the_count_at_the_next_opening():
    with Desktop() as d:
        d.seed_registry({"Amount": "2", "Path1": "C:\\a\\", "Path2": "C:\\b\\"})
        d.start_hopdirs()
        box = open_about(d)
        assert "2 Hopdirs are available" in [c["title"] for c in d.children(box["hwnd"])]
        d.keys("enter")
        d.wait_no_window(cls="HopdirsAbout")
        time.sleep(SETTLE)
        d.click_tray("double")
        d.wait_window(cls="HopdirsList")
        d.keys(Text("C:\\c\\"), "enter", "esc")
        d.wait_no_window(cls="HopdirsList")
        time.sleep(SETTLE)
        box = open_about(d)
        assert "3 Hopdirs are available" in [c["title"] for c in d.children(box["hwnd"])]
        d.keys("enter")
        d.wait_no_window(cls="HopdirsAbout")
