"""The path list editor, opened from the tray icon and driven with the keyboard as a user would."""
import os
import subprocess
import time

from harness import SCREEN, Desktop, Text, wait_until

# A single click is only known to be single after the double-click time; give it that and more.
SETTLE = 1.2
COMBO, ADD, DELETE, CLOSE = 101, 102, 103, 2
HELP_FOR_THE_COMBO_BOX = "Type a folder or file path here and choose Add to put it in the list"


def open_editor(d):
    d.click_tray("double")
    editor = d.wait_window(cls="HopdirsList")

    def in_front():
        window = d.foreground()["window"]
        return window is not None and window["hwnd"] == editor["hwnd"]

    wait_until(in_front, what="the editor in front")
    return editor


def controls(d, editor):
    """The editor's own controls by id (the combo box's inner edit field left out)."""
    return {c["id"]: c for c in d.children(editor["hwnd"]) if c["parent"] == editor["hwnd"]}


def buttons(d, editor):
    found = controls(d, editor)
    return found[ADD]["enabled"], found[DELETE]["enabled"]


def wait_list(d, editor, items, selected):
    combo = controls(d, editor)[COMBO]["hwnd"]
    expected = {"items": items, "selected": selected}
    return wait_until(lambda: d.combo(combo) == expected, timeout=5,
                      what=f"the list {expected}, having {d.combo(combo)}")


def add(d, editor, path):
    d.keys(Text(path), "enter")


def wait_tip(d, text):
    d.xdotool("mousemove", str(d.icon_at[0]), str(d.icon_at[1] - 1))
    wait_until(lambda: text in d.tooltip_text(), timeout=10, what=f"the tip {text!r}")


def test_double_click_opens_the_editor_at_the_bottom_right_with_add_and_delete_disabled():
    with Desktop() as d:
        d.start_hopdirs()
        editor = open_editor(d)
        left, top, right, bottom = editor["rect"]
        work = d.probe_json("screen")["work"]
        assert work[3] < SCREEN[1], "the desktop's taskbar reserves the bottom of the screen"
        assert (right, bottom) == (work[2] + 1, work[3]), (editor["rect"], work)
        assert editor["title"] == "Hopdirs"
        assert not d.windows(cls="#32770"), "the editor is not a standard dialog"
        found = controls(d, editor)
        assert [found[i]["title"] for i in (ADD, DELETE, CLOSE)] == ["&Add", "&Delete", "&Close"]
        assert buttons(d, editor) == (False, False)
        assert found[CLOSE]["enabled"]
        wait_list(d, editor, [], -1)
        time.sleep(0.3)
        d.screenshot("editor_empty")
        d.click_tray("right")
        time.sleep(SETTLE)
        assert d.menus() == [], "no configuration menu while the editor is open"


def test_typing_then_enter_adds_sorted_a_duplicate_adds_nothing_and_escape_closes():
    with Desktop() as d:
        d.start_hopdirs()
        editor = open_editor(d)
        d.keys(Text("D:\\Work"))
        wait_until(lambda: buttons(d, editor) == (True, False), what="Add enabled by typing")
        d.keys("enter")
        wait_list(d, editor, ["D:\\Work"], 0)
        assert buttons(d, editor) == (False, True)
        add(d, editor, "c:\\temp")
        add(d, editor, "C:\\Users\\Ünïcode & Co")
        wait_list(d, editor, ["c:\\temp", "C:\\Users\\Ünïcode & Co", "D:\\Work"], 1)
        add(d, editor, "D:\\Work")  # already there: nothing added, entry 0 selected
        wait_list(d, editor, ["c:\\temp", "C:\\Users\\Ünïcode & Co", "D:\\Work"], 0)
        assert buttons(d, editor) == (False, True)
        d.screenshot("editor_three_paths")
        d.keys("esc")
        d.wait_no_window(cls="HopdirsList")
        wait_tip(d, "3 Hopdirs")
        d.click_tray("left")  # with the editor closed the path menu opens again
        d.wait_menu(timeout=SETTLE + 5)
        d.keys("esc")
        d.wait_no_menu()


def test_alt_d_deletes_the_selected_entry_and_tray_clicks_open_no_menu_meanwhile():
    with Desktop() as d:
        d.start_hopdirs()
        editor = open_editor(d)
        for path in ("C:\\a", "C:\\b", "C:\\c"):
            add(d, editor, path)
        wait_list(d, editor, ["C:\\a", "C:\\b", "C:\\c"], 2)
        d.keys("up")  # picking another entry is not an edit
        wait_list(d, editor, ["C:\\a", "C:\\b", "C:\\c"], 1)
        assert buttons(d, editor) == (False, True)
        d.keys("alt+d")
        wait_list(d, editor, ["C:\\a", "C:\\c"], 0)
        assert buttons(d, editor) == (False, True)
        d.click_tray("left")
        time.sleep(SETTLE)
        assert d.menus() == [], "no path menu while the editor is open"
        d.keys("esc")
        d.wait_no_window(cls="HopdirsList")
        wait_tip(d, "2 Hopdirs")


def test_f1_shows_the_focused_controls_help_and_escape_takes_it_away():
    with Desktop() as d:
        d.start_hopdirs()
        editor = open_editor(d)
        d.keys("f1")
        popup = d.wait_window(cls="HopdirsHelpPopup")
        assert popup["title"].startswith(HELP_FOR_THE_COMBO_BOX), popup["title"]
        assert d.foreground()["window"]["hwnd"] == editor["hwnd"], "the help takes no activation"
        time.sleep(0.3)
        d.screenshot("editor_help")
        d.keys("esc")
        d.wait_no_window(cls="HopdirsHelpPopup")
        assert d.windows(cls="HopdirsList", visible=True), "Escape closed only the help"


def test_exit_stores_the_sorted_list():
    with Desktop() as d:
        d.start_hopdirs()
        editor = open_editor(d)
        for path in ("D:\\Work", "c:\\temp", "C:\\Users"):
            add(d, editor, path)
        wait_list(d, editor, ["c:\\temp", "C:\\Users", "D:\\Work"], 1)
        d.keys("esc")
        d.wait_no_window(cls="HopdirsList")
        d.click_tray("right")
        d.wait_menu()
        d.keys("x")
        assert d.wait_hopdirs_exit() == 0
        stored = d.registry()
        assert stored["Amount"] == "3"
        assert [stored[f"Path{k}"] for k in (1, 2, 3)] == ["c:\\temp", "C:\\Users", "D:\\Work"]


def test_session_end_with_the_editor_open_after_a_middle_delete_stores_exactly_the_rest():
    with Desktop() as d:
        d.seed_registry({"Amount": "4", "Path1": "D:\\d", "Path2": "C:\\a", "Path3": "C:\\c",
                         "Path4": "C:\\b", "Clipboard": "True"})
        d.start_hopdirs()
        editor = open_editor(d)
        wait_list(d, editor, ["C:\\a", "C:\\b", "C:\\c", "D:\\d"], 0)
        d.keys("down")
        wait_list(d, editor, ["C:\\a", "C:\\b", "C:\\c", "D:\\d"], 1)
        d.keys("alt+d")
        wait_list(d, editor, ["C:\\a", "C:\\c", "D:\\d"], 0)
        subprocess.run(["wineboot", "-e"], check=True, capture_output=True, timeout=60,
                       env=dict(os.environ))
        d.wait_hopdirs_exit()
        stored = d.registry()
        assert stored["Amount"] == "3"
        assert [stored[f"Path{k}"] for k in (1, 2, 3)] == ["C:\\a", "C:\\c", "D:\\d"]
        assert "Path4" not in stored


def test_a_double_click_brings_the_open_editor_back_in_front():
    with Desktop() as d:
        d.start_hopdirs()
        editor = open_editor(d)
        d.spawn("notepad")
        other = d.wait_window(cls="Notepad")
        wait_until(lambda: (d.foreground()["window"] or {}).get("hwnd") == other["hwnd"],
                   what="another program in front")
        time.sleep(SETTLE)
        assert open_editor(d)["hwnd"] == editor["hwnd"], "the same editor, not a second one"
