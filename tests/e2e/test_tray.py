"""The tray icon and its menus, driven with real clicks on the icon in the Wine desktop."""
import time

from harness import Desktop, wait_until

# A single click is only known to be single after the double-click time; give it that and more.
SETTLE = 1.2


def test_icon_appears_with_its_tip_and_no_visible_window():
    with Desktop() as d:
        d.start_hopdirs()
        main = d.wait_window_any(cls="HopdirsMain")
        assert not main["visible"], "the main window is never shown"
        assert main["exstyle"] & 0x80, "a tool window: no taskbar button"
        d.xdotool("mousemove", str(d.icon_at[0]), str(d.icon_at[1] - 1))
        assert wait_until(lambda: "0 Hopdirs" in d.tooltip_text(), timeout=10,
                          what="the tip text")
        assert not d.windows(cls="#32770"), "no message boxes"


def test_right_click_pops_the_configuration_menu_and_escape_closes_it():
    with Desktop() as d:
        d.start_hopdirs()
        d.click_tray("right")
        menu = d.wait_menu()
        left, top, right, bottom = menu["rect"]
        assert right - left > 40 and bottom - top > 60, "five items, one a separator"
        time.sleep(0.3)
        d.screenshot("configuration_menu")
        d.keys("esc")
        d.wait_no_menu()
        assert d.hopdirs_running()


def test_left_click_with_no_paths_pops_nothing():
    with Desktop() as d:
        d.start_hopdirs()
        d.click_tray("left")
        time.sleep(SETTLE)
        assert d.menus() == []
        assert d.hopdirs_running()


def test_double_click_shows_the_editor_and_no_menu():
    with Desktop() as d:
        d.start_hopdirs()
        d.click_tray("double")
        editor = d.wait_window(cls="HopdirsList")
        assert editor["title"] == "Hopdirs"
        time.sleep(SETTLE)
        assert d.menus() == [], "the double click must not also pop the path menu"
        # While the editor is open neither menu pops up.
        d.click_tray("right")
        time.sleep(SETTLE)
        assert d.menus() == []


def test_exit_ends_the_program_and_takes_the_icon_away():
    with Desktop() as d:
        d.start_hopdirs()
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        wait_until(lambda: d.icon_spot() is None, timeout=10, what="the tray icon to go away")


def test_clicks_while_a_menu_is_open_and_a_new_taskbar_leave_one_icon_and_no_stuck_menu():
    with Desktop() as d:
        d.start_hopdirs()
        d.click_tray("right")
        d.wait_menu()
        d.click_tray("right")  # closes the open menu; a second one must not stack up
        time.sleep(SETTLE)
        assert len(d.menus()) <= 1
        d.keys("esc")
        d.wait_no_menu()
        d.probe("broadcast", "TaskbarCreated")
        time.sleep(0.5)
        assert d.icon_count() == 1, "still exactly one icon"
        d.click_tray("right")
        d.wait_menu()
        d.keys("esc")
        d.wait_no_menu()
        assert d.hopdirs_running()


def test_single_click_pops_the_path_menu_and_a_double_click_still_only_the_editor():
    with Desktop() as d:
        d.seed_registry({"Amount": "3", "Path1": "C:\\windows\\", "Path2": "C:\\R&D\\",
                         "Path3": "C:\\Überall (x86)\\"})
        d.start_hopdirs()
        for _ in range(2):
            d.click_tray("left")
            menu = d.wait_menu()
            left, top, right, bottom = menu["rect"]
            assert bottom - top > 4 * 14, "the heading and three paths"
            time.sleep(0.3)
            d.screenshot("path_menu")
            d.keys("esc")
            d.wait_no_menu()
            time.sleep(SETTLE)
        d.click_tray("double")
        d.wait_window(cls="HopdirsList")
        time.sleep(SETTLE)
        assert d.menus() == [], "a double click never pops the path menu as well"


def test_clicks_during_start_up_leave_one_icon_and_a_working_program():
    with Desktop() as d:
        d.seed_registry({"Amount": "1", "Path1": "C:\\windows\\"})
        d.start_hopdirs()
        spot = d.icon_at
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        d.wait_hopdirs_exit()
        wait_until(lambda: d.icon_spot() is None, what="the icon to go")
        # Start again and click where the icon will appear, from the first instant on.
        d.start_hopdirs(wait_icon=False)
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline:
            d.click(spot[0], spot[1], 3)
            d.keys("esc")
        d.keys("esc")
        d.wait_no_menu()
        assert d.hopdirs_running()
        d.icon_at = wait_until(d.icon_spot, what="the icon")
        assert d.icon_count() == 1
        time.sleep(SETTLE)
        d.click_tray("left")
        d.wait_menu()
        d.keys("esc")
        d.wait_no_menu()


def test_the_keyboard_opens_the_menus_at_the_icon_and_the_mouse_at_the_pointer():
    with Desktop() as d:
        d.seed_registry({"Amount": "1", "Path1": "C:\\a\\"})
        d.start_hopdirs()
        main = d.wait_window_any(cls="HopdirsMain")
        anchor = (600, 500)

        def shell_notifies(event):
            """What the shell posts with NOTIFYICON_VERSION_4: the anchor in wParam, the event and
            the icon's id in lParam."""
            d.probe("post", str(main["hwnd"]), "0x8001", str(anchor[1] << 16 | anchor[0]),
                    str(1 << 16 | event))

        d.xdotool("mousemove", "100", "100")
        for event, first_item in ((0x401, "Available Hopdirs..."), (0x7B, "&List...")):
            shell_notifies(event)  # NIN_KEYSELECT (Enter, Space), WM_CONTEXTMENU (menu key)
            menu = d.wait_menu()
            assert menu["rect"][:2] == list(anchor), (first_item, menu["rect"])
            d.keys("esc")
            d.wait_no_menu()
            time.sleep(SETTLE)
        d.click_tray("right")
        menu = d.wait_menu()
        left, top, right, bottom = menu["rect"]
        # At the pointer on the icon, kept inside the work area: above it, across its column.
        work_bottom = d.probe_json("screen")["work"][3]
        assert left <= d.icon_at[0] <= right and bottom == work_bottom, (menu["rect"], d.icon_at)
        d.keys("esc")
        d.wait_no_menu()
