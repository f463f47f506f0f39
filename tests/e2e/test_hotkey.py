"""The hotkey: pressed in a file dialog it pops the path menu below the dialog's file-name field;
anywhere else the keys are left to the window in front."""
import os
import subprocess
import time

from harness import PROBE_EXE, Desktop, wait_until
from test_delivery import (DRIVE_C, ROOT, Host, browse_folder, clipboard_sample, folder,
                           user_clipboard)

WORK_AREA_BOTTOM = 748


def field_box(d, host):
    """The file-name box of a dialog host: classic ComboBoxEx32 1148, Vista-style Edit 1152."""
    for child in d.children(host.hwnd):
        if (child["class"], child["id"]) in (("ComboBoxEx32", 1148), ("Edit", 1152)):
            return child
    raise AssertionError("no file-name field")


def pop(d, chord="ctrl+g"):
    """Presses the hotkey until the menu shows: the key is registered at the foreground poll
    that follows the dialog's arrival. Pressed again only after a menu slow to show (under
    load) would have shown: a second press meanwhile reaches that menu."""
    for _ in range(3):
        d.keys(chord)
        try:
            return d.wait_menu(timeout=3.0)
        except AssertionError:
            continue
    raise AssertionError(f"{chord} popped no menu")


def balloon(d, words):
    return wait_until(lambda: [t for t in d.tooltip_text() if words in t], timeout=10,
                      what=f"a balloon saying {words!r}")


def start_with_paths(d, *paths, clipboard=False):
    values = {"Amount": str(len(paths)), "Clipboard": "True" if clipboard else "False"}
    values.update({f"Path{k}": path for k, path in enumerate(paths, 1)})
    d.seed_registry(values)
    d.start_hopdirs()


def test_in_a_dialog_the_hotkey_pops_the_menu_below_the_field_and_a_digit_delivers():
    with Desktop() as d:
        paths = [folder(f"hotkey {k}") for k in range(1, 4)]
        # On AZERTY (this test's own display) the key of "2" types "\u00e9": no "&2" matches it.
        try:
            for kind, clipboard, layout in (("classic", False, "us"), ("vista", False, "us"),
                                            ("vista", True, "us"), ("classic", True, "fr"),
                                            ("twin-open", False, "us")):
                subprocess.run(["setxkbmap", layout], check=True)
                start_with_paths(d, *paths, clipboard=clipboard)
                host = Host(d, kind, f"hotkey-{kind}-{clipboard}")
                before = clipboard_sample(d)
                menu = pop(d)
                box = field_box(d, host)["rect"]
                assert abs(menu["rect"][0] - box[0]) <= 2 and abs(menu["rect"][1] - box[3]) <= 2, \
                    (menu["rect"], box)
                assert menu["rect"][3] <= WORK_AREA_BOTTOM
                if (kind, layout) == ("classic", "us"):
                    d.screenshot("hotkey_menu_classic")
                count = len(host.folders())
                d.keys("2")
                host.wait_folder(paths[1], count)
                assert user_clipboard(d) == before

                # Escape: the menu goes, the dialog is in front again and has been sent nothing.
                text_before = field_text(d, host)
                count = len(host.folders())
                pop(d)
                d.keys("esc")
                d.wait_no_menu()
                wait_until(lambda: d.foreground()["window"]["hwnd"] == host.hwnd, timeout=5,
                           what="the dialog in front again")
                time.sleep(0.5)
                assert len(host.folders()) == count
                assert field_text(d, host) == text_before
                host.process.kill()
                d.hopdirs.kill()
                d.hopdirs.wait(timeout=10)
                wait_until(lambda: d.icon_spot() is None, what="the tray icon to go")
        finally:
            subprocess.run(["setxkbmap", "us"], check=True)


def test_near_the_bottom_of_the_screen_the_menu_opens_above_the_field():
    with Desktop() as d:
        start_with_paths(d, *[folder(f"hotkey low {k}") for k in range(1, 6)])
        host = Host(d, "classic", "hotkey-low")
        box = field_box(d, host)["rect"]
        dialog = next(w for w in d.windows() if w["hwnd"] == host.hwnd)["rect"]
        # The field's bottom 20 pixels above the work area's: no room below for five paths.
        d.probe("move", str(host.hwnd), "0", str(dialog[1] + WORK_AREA_BOTTOM - 20 - box[3]))
        box = wait_until(lambda: field_box(d, host)["rect"][3] == WORK_AREA_BOTTOM - 20 and
                         field_box(d, host)["rect"], what="the dialog moved down")
        menu = pop(d)
        assert abs(menu["rect"][3] - box[1]) <= 2 and abs(menu["rect"][0] - box[0]) <= 2, \
            (menu["rect"], box)
        d.keys("esc")
        d.wait_no_menu()


def field_text(d, host):
    return [c["title"] for c in d.children(host.hwnd) if c["class"] == "Edit" and
            c["id"] in (1148, 1152)]


def key_log(d, name):
    log = os.path.join(DRIVE_C, ROOT, name)
    os.makedirs(os.path.dirname(log), exist_ok=True)
    if os.path.exists(log):
        os.remove(log)
    d.spawn(PROBE_EXE, "keylog", f"C:\\{ROOT}\\{name}")
    hwnd = wait_until(lambda: read_lines(log) and int(read_lines(log)[0].split()[1]),
                      what="the key log window")
    wait_until(lambda: d.foreground()["window"] and d.foreground()["window"]["hwnd"] == hwnd,
               what="the key log window in front")
    return log


def read_lines(path):
    if not os.path.exists(path):
        return []
    with open(path) as log:
        return [line.strip() for line in log]


def test_without_paths_a_balloon_and_outside_dialogs_the_key_is_left_alone():
    with Desktop() as d:
        d.start_hopdirs()
        host = Host(d, "classic", "hotkey-no-paths")
        for _ in range(5):
            d.keys("ctrl+g")
            if [t for t in d.tooltip_text() if "No paths yet" in t]:
                break
        balloon(d, "No paths yet")
        assert not d.menus()

        # Another program in front, with the dialog still open behind it: Ctrl+G is its own.
        log = key_log(d, "keys.log")
        time.sleep(0.3)  # a poll or two
        d.keys("ctrl+g")
        wait_until(lambda: "down 71" in read_lines(log), what="G to reach the key log window")
        assert not d.menus()
        assert host.process.poll() is None


def test_a_hotkey_chosen_in_its_window_works_at_once_and_is_stored():
    with Desktop() as d:
        path = folder("hotkey chosen")
        start_with_paths(d, path, "C:\\hop e2e\\gone\\")
        d.click_tray("right")
        d.wait_menu()
        d.keys("h")
        window = d.wait_window(title="Hopdirs Hotkey")
        assert window["class"] == "HopdirsHotkey"
        wait_until(lambda: d.foreground()["window"]["hwnd"] == window["hwnd"],
                   what="the hotkey window in front")
        # A bare letter would type into every dialog: refused with a word, nothing stored.
        # (Real key presses: the control reads the scan code, which SendInput leaves out.)
        d.xdotool("key", "q", "Return")
        wait_until(lambda: [c for c in d.children(window["hwnd"])
                            if c["title"].startswith("Q types a character")], what="a refusal")
        assert "Hotkey" not in d.registry()
        d.keys("ctrl+alt+j")
        d.screenshot("hotkey_window")
        d.keys("enter")
        d.wait_no_window(title="Hopdirs Hotkey")
        assert d.registry()["Hotkey"] == "Ctrl+Alt+J"  # stored at once, not at the end

        host = Host(d, "classic", "hotkey-chosen")
        pop(d, "ctrl+alt+j")
        count = len(host.folders())
        d.keys("1")
        host.wait_folder(path, count)
        pop(d, "ctrl+alt+j")
        d.keys("2")  # the same checks and balloons as the tray's menu
        balloon(d, "does not exist")
        assert len(host.folders()) == count + 1
        assert d.foreground()["window"]["hwnd"] == host.hwnd  # back to the user
        d.keys("ctrl+g")  # no longer the hotkey
        time.sleep(0.5)
        assert not d.menus()

        # "None": no hotkey at all, stored as an empty value.
        d.click_tray("right")
        d.wait_menu()
        d.keys("h")
        d.wait_window(title="Hopdirs Hotkey")
        d.keys("tab", "space", "enter")  # to "None", press it, then OK
        d.wait_no_window(title="Hopdirs Hotkey")
        assert d.registry()["Hotkey"] == ""
        d.probe("activate", str(host.hwnd))
        for chord in ("ctrl+alt+j", "ctrl+g"):
            d.keys(chord)
        time.sleep(0.5)
        assert not d.menus()


def test_a_key_held_by_another_program_is_told_once_and_the_tray_still_works():
    with Desktop() as d:
        d.spawn(PROBE_EXE, "hold-hotkey", "ctrl+g", ready="held")
        start_with_paths(d, folder("hotkey held"))
        Host(d, "classic", "hotkey-held")
        balloon(d, "Ctrl+G is taken by another program")
        d.keys("ctrl+g")
        time.sleep(0.5)
        assert not d.menus()
        time.sleep(1.2)
        d.click_tray("left")
        d.wait_menu()
        d.keys("esc")
        d.wait_no_menu()
        assert d.hopdirs_running()


def test_with_explorer_windows_open_both_menus_are_as_before_and_deliver():
    """Wine's shell lists none of its folder windows, so the section of folders open in
    Explorer never shows here: both menus keep their size and deliver as they always did."""
    with Desktop() as d:
        paths = [folder("explorer 1"), folder("explorer 2")]
        start_with_paths(d, *paths)
        # In a listed folder throughout, so the menu offers no folder to add, before or after.
        host = Host(d, "classic", "explorer", start=paths[0])

        def size(menu):
            left, top, right, bottom = menu["rect"]
            return right - left, bottom - top

        def tray_menu():
            time.sleep(1.2)  # keep this click apart from the last one
            d.click_tray("left")
            return size(d.wait_menu())

        def hotkey_menu():
            d.probe("activate", str(host.hwnd))
            return size(pop(d))

        before = {"hotkey": hotkey_menu()}
        d.keys("esc")
        d.wait_no_menu()
        before["tray"] = tray_menu()
        d.keys("esc")
        d.wait_no_menu()
        for shown in ("C:\\windows", paths[0].rstrip("\\")):
            d.spawn("explorer", "/n", shown)
        wait_until(lambda: len(d.windows(cls="ExplorerWClass", visible=True)) == 2,
                   what="two Explorer windows")

        assert tray_menu() == before["tray"]
        count = len(host.folders())
        d.keys("down", "down", "down", "enter")
        host.wait_folder(paths[1], count)
        assert hotkey_menu() == before["hotkey"]
        count = len(host.folders())
        d.keys("1")
        host.wait_folder(paths[0], count)


def test_in_browse_for_folder_the_menu_opens_at_the_trees_top_left_and_a_digit_selects():
    for kind in ("browse", "twin-browse"):  # Wine's, and Windows' new style
        with Desktop() as d:
            chosen = browse_folder("hotkey " + kind)
            start_with_paths(d, chosen)
            host = Host(d, kind, "hotkey-" + kind, title="Choose a folder")
            tree = [c for c in d.children(host.hwnd) if c["class"] == "SysTreeView32"][0]["rect"]
            menu = pop(d)
            assert abs(menu["rect"][0] - tree[0]) <= 2 and abs(menu["rect"][1] - tree[1]) <= 2, \
                (menu["rect"], tree)
            count = len(host.folders())
            d.keys("1")
            host.wait_folder(chosen, count)
            assert host.field("result") is None, "OK stays the user's"
            # The twin's record of BFFM_SETSELECTIONW, which the Save twin must never show.
            assert kind == "browse" or "got WM_USER+103" in host.lines()


def test_the_menu_adds_the_folder_the_dialog_shows_once_and_leaves_the_dialog_alone():
    with Desktop() as d:
        os.makedirs(os.path.join(DRIVE_C, "hop", "alpha"), exist_ok=True)
        earlier = [folder("add earlier"), "C:\\R&D\\"]
        start_with_paths(d, *earlier)
        host = Host(d, "classic", "hotkey-add", start="C:\\hop\\alpha")
        wait_until(lambda: host.folders() == ["C:\\hop\\alpha"], what="the dialog in C:\\hop\\alpha")
        text_before = field_text(d, host)

        pop(d)
        d.screenshot("hotkey_add_folder")
        d.keys("a")
        d.wait_no_menu()
        wait_until(lambda: d.registry().get("Amount") == "3", what="the folder stored at once")
        stored = d.registry()
        assert [stored[f"Path{k}"] for k in (1, 2, 3)] == [*earlier, "C:\\hop\\alpha\\"]
        d.xdotool("mousemove", str(d.icon_at[0]), str(d.icon_at[1] - 1))
        wait_until(lambda: "3 Hopdirs" in d.tooltip_text(), what="the tip counting it")
        # Nothing reached the dialog: no folder change, no result, no typing; it is in front.
        wait_until(lambda: d.foreground()["window"]["hwnd"] == host.hwnd, timeout=5,
                   what="the dialog in front again")
        time.sleep(0.5)
        assert host.folders() == ["C:\\hop\\alpha"] and host.field("result") is None
        assert field_text(d, host) == text_before

        # Listed now: the item is gone, and "a" chooses nothing.
        pop(d)
        d.keys("a")
        time.sleep(0.5)
        d.keys("esc")
        d.wait_no_menu()
        assert d.registry()["Amount"] == "3" and "Path4" not in d.registry()
        assert host.folders() == ["C:\\hop\\alpha"] and host.field("result") is None

        # Browse for Folder: the folder is its tree's selection, a few levels deep.
        browse = Host(d, "browse", "hotkey-add-browse", start="C:\\windows\\system32")
        pop(d)
        d.keys("a")
        wait_until(lambda: d.registry().get("Path4", "").lower() == "c:\\windows\\system32\\",
                   what="the tree's folder stored")
        assert len(browse.folders()) == 1 and browse.field("result") is None
