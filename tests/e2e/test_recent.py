"""Recent folders: a delivered folder is offered again after it left the list and Hopdirs
restarted, in the hotkey's menu with its digit, the dialog's own program's first; one gone when
chosen is dropped with a word; "Clear recent folders" empties the section and the stored key.
And the same folder in another spelling is never offered to be added."""
import os
import subprocess
import time

from harness import Desktop, wait_until
from test_delivery import DIALOG_HOST, DRIVE_C, SUGGESTED, Host, folder
from test_hotkey import balloon, pop, start_with_paths

RECENT_KEY = "HKCU\\Software\\Quorvane\\Hopdirs\\Recent"


def stored_recent():
    """The values of the Recent key, R1 first: [(name, text)]."""
    result = subprocess.run(["wine", "reg", "query", RECENT_KEY], capture_output=True)
    rows = [line.split(None, 2) for line in result.stdout.decode(errors="replace").splitlines()]
    return [(row[0], row[2]) for row in rows if len(row) == 3 and row[1] == "REG_SZ"]


def restart(d, *paths, recent=()):
    d.hopdirs.kill()
    d.hopdirs.wait(timeout=10)
    wait_until(lambda: d.icon_spot() is None, what="the tray icon to go")
    for k, text in enumerate(recent, 1):
        subprocess.run(["wine", "reg", "add", RECENT_KEY, "/v", f"R{k}", "/d", text, "/f"],
                       capture_output=True, check=True)
    start_with_paths(d, *paths)


def menu_height(menu):
    return menu["rect"][3] - menu["rect"][1]


def test_a_delivered_folder_is_recent_after_a_restart_and_clear_empties_it():
    with Desktop() as d:
        gone, kept = folder("recent gone"), folder("recent kept")
        start_with_paths(d, gone, kept)
        host = Host(d, "classic", "recent-open")
        count = len(host.folders())
        pop(d)
        d.keys("1")
        host.wait_folder(gone, count)
        program = os.path.basename(DIALOG_HOST)
        wait_until(lambda: stored_recent() == [("R1", f"{gone}|{program}")],
                   what="the folder stored as recent")
        host.process.kill()

        # Out of the list, and a new run: the folder is the first "Recent" row, digit 2 after the
        # path, before a newer one another program used (and which no longer exists).
        missing = "C:\\hop e2e\\recent missing\\"
        restart(d, kept, recent=(f"{missing}|other.exe", f"{gone}|{program}"))
        save = Host(d, "vista-save", "recent-save", title="Save As", suggested=SUGGESTED)
        count = len(save.folders())
        with_recent = menu_height(pop(d))
        d.screenshot("hotkey_menu_recent")
        d.keys("2")
        save.wait_folder(gone, count)
        wait_until(lambda: save.name_field() == SUGGESTED, timeout=3, what="the suggested name")

        pop(d)
        d.keys("3")
        balloon(d, "taken out of the recent folders")
        wait_until(lambda: stored_recent() == [("R1", f"{gone}|{program}")],
                   what="the missing folder dropped")

        # Cleared: the key holds nothing and the section is gone from the menu.
        time.sleep(1.2)  # keep this click apart from the last one
        d.click_tray("right")
        d.wait_menu()
        d.screenshot("tray_menu_recent")
        d.keys("r")
        d.wait_no_menu()
        wait_until(lambda: stored_recent() == [], what="the recent folders cleared")
        d.probe("activate", str(save.hwnd))
        assert menu_height(pop(d)) < with_recent
        count = len(save.folders())
        d.keys("2")  # no second row any more
        time.sleep(0.5)
        d.keys("esc")
        d.wait_no_menu()
        assert len(save.folders()) == count


def test_the_folder_a_dialog_shows_in_another_spelling_is_not_offered_to_add():
    with Desktop() as d:
        os.makedirs(os.path.join(DRIVE_C, "hop", "Foo"), exist_ok=True)
        start_with_paths(d, "c:\\hop\\foo\\")
        host = Host(d, "classic", "recent-spelling", start="C:\\hop\\Foo")
        wait_until(lambda: host.folders() == ["C:\\hop\\Foo"], what="the dialog in C:\\hop\\Foo")
        pop(d)
        d.keys("a")  # no Add item: the key chooses nothing
        time.sleep(0.5)
        d.keys("esc")
        d.wait_no_menu()
        stored = d.registry()
        assert stored["Amount"] == "1" and "Path2" not in stored
