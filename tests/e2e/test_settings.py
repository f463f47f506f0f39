"""The stored path list surviving Exit, a session end and a close request, the single instance,
and unreadable stored values, against the real registry."""
import subprocess
import time

from harness import HOPDIRS_EXE, Desktop, Text, wait_until
from test_editor import COMBO, controls, open_editor

SETTLE = 1.2  # longer than the double-click time, so clicks stay single

# Stored in forms the program reads but never writes itself, so a rewrite is visible.
SEEDED = {
    "Amount": " 3 ",
    "Path1": "C:\\windows\\",
    # Path2 is missing: an empty item, stored back as an empty text
    "Path3": "  D:\\Ünï & co\\日本 ",
    "Path4": "beyond the count: never read, never touched",
    "Clipboard": "-1",
}


def written(clipboard):
    return {
        "Amount": "3",
        "Path1": "C:\\windows\\",
        "Path2": "",
        "Path3": "  D:\\Ünï & co\\日本 ",
        "Path4": "beyond the count: never read, never touched",
        "Clipboard": clipboard,
    }


def toggle_clipboard(d):
    d.click_tray("right")
    d.wait_menu()
    d.keys("c")
    d.wait_no_menu()
    time.sleep(SETTLE)


def tip_reads(d, text):
    d.xdotool("mousemove", str(d.icon_at[0]), str(d.icon_at[1] - 1))
    return wait_until(lambda: text in d.tooltip_text(), timeout=10, what=f"the tip {text!r}")


def test_exit_writes_the_list_back_exactly():
    with Desktop() as d:
        d.seed_registry(SEEDED)
        d.start_hopdirs()
        tip_reads(d, "3 Hopdirs")
        d.click_tray("left")  # three paths: the path menu pops up
        d.wait_menu()
        d.keys("esc")
        d.wait_no_menu()
        time.sleep(SETTLE)
        toggle_clipboard(d)
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        assert d.registry() == written("False")


def test_session_end_writes_exactly_as_exit_does():
    with Desktop() as d:
        d.seed_registry(SEEDED)
        d.start_hopdirs()
        toggle_clipboard(d)
        toggle_clipboard(d)  # back on: written as the word True, at each toggle
        assert d.registry() == written("True")
        d.seed_registry({"Amount": " 3 "})  # so the session end's own write shows
        subprocess.run(["wineboot", "-e"], capture_output=True, timeout=60)
        d.wait_hopdirs_exit(timeout=30)
        assert d.registry() == written("True")


def test_close_request_from_another_program_saves_and_ends():
    with Desktop() as d:
        d.seed_registry(SEEDED)
        d.start_hopdirs()
        toggle_clipboard(d)
        main = d.wait_window_any(cls="HopdirsMain")
        d.probe("close", str(main["hwnd"]))  # WM_CLOSE, as the task manager's End task sends
        assert d.wait_hopdirs_exit() == 0
        assert d.registry() == written("False")


def test_second_instance_beeps_and_ends_leaving_the_first_untouched():
    with Desktop() as d:
        d.seed_registry(SEEDED)
        d.start_hopdirs()
        first_main = d.wait_window_any(cls="HopdirsMain")
        second = d.spawn(HOPDIRS_EXE)
        wait_until(lambda: second.poll() is not None, timeout=20, what="the second instance to end")
        assert second.returncode == 0
        time.sleep(0.5)
        assert d.hopdirs_running()
        assert d.icon_count() == 1
        assert [w["hwnd"] for w in d.windows(cls="HopdirsMain")] == [first_main["hwnd"]]
        assert d.registry() == SEEDED
        # The first instance still answers its icon.
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        assert d.registry() == written("True")


def test_garbage_amount_starts_normally_and_the_menus_work():
    with Desktop() as d:
        d.seed_registry({"Amount": "1e3", "Path1": "C:\\kept\\", "Clipboard": "maybe"})
        d.start_hopdirs()
        tip_reads(d, "0 Hopdirs")
        d.click_tray("left")  # no paths: no path menu
        time.sleep(SETTLE)
        assert d.menus() == []
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        # Read as 0, so nothing was deleted; the unreadable clipboard option read as on.
        assert d.registry() == {"Amount": "0", "Path1": "C:\\kept\\", "Clipboard": "True"}


def test_amount_that_is_not_text_or_too_large_keeps_what_it_can():
    with Desktop() as d:
        d.seed_registry({"Amount": 2, "Path1": "C:\\a\\"})  # a DWORD: reads as absent
        d.start_hopdirs()
        tip_reads(d, "0 Hopdirs")
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        assert d.registry() == {"Amount": "0", "Path1": "C:\\a\\", "Clipboard": "True"}

    with Desktop() as d:
        d.seed_registry({"Amount": "300", "Path1": "C:\\first\\", "Path255": "C:\\last\\"})
        d.start_hopdirs()
        tip_reads(d, "255 Hopdirs")
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        stored = d.registry()
        assert stored["Amount"] == "255"
        assert stored["Path1"] == "C:\\first\\" and stored["Path255"] == "C:\\last\\"
        assert stored["Path2"] == "" and "Path256" not in stored


def kill(d):
    """Ends Hopdirs as the task manager's "End task" or a crash does: no message, no shut-down."""
    pid = d.wait_window_any(cls="HopdirsMain")["pid"]
    subprocess.run(["wine", "taskkill", "/f", "/pid", str(pid)], capture_output=True, timeout=30)
    d.wait_hopdirs_exit()


def test_a_killed_process_keeps_the_edited_list_and_the_toggled_option():
    with Desktop() as d:
        d.seed_registry({"Amount": "1", "Path1": "C:\\old\\"})
        d.start_hopdirs()
        editor = open_editor(d)
        d.keys(Text("D:\\new"), "enter")
        wait_until(lambda: d.combo(controls(d, editor)[COMBO]["hwnd"])["items"] ==
                   ["C:\\old\\", "D:\\new"], what="the path added")
        d.keys("esc")
        d.wait_no_window(cls="HopdirsList")
        kill(d)
        assert d.registry() == {"Amount": "2", "Path1": "C:\\old\\", "Path2": "D:\\new",
                                "Clipboard": "True"}

    with Desktop() as d:
        d.start_hopdirs()
        toggle_clipboard(d)
        kill(d)
        assert d.registry() == {"Amount": "0", "Clipboard": "False"}
