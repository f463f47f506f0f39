"""Windows 10/11's own dialogs, which Wine does not have, as twins with their classes, ids and
nesting (the dialog host's twin-* kinds): the delivery, the hotkey and "Add" on each."""
import os

from harness import Desktop, wait_until
from test_delivery import DRIVE_C, SUGGESTED, Host, file_in, folder, no_result
from test_hotkey import pop, start_with_paths


def name_box(d, host):
    """The combo box the twin's name field sits in, where the hotkey's menu opens."""
    parent = host.name_edit()["parent"]
    return next(c for c in d.children(host.hwnd) if c["hwnd"] == parent)


def test_a_save_twin_moves_for_a_folder_and_holds_a_files_name_and_is_never_sent_bffm():
    with Desktop() as d:
        there, budget = folder("twin save"), file_in("twin fav", "budget.xlsx")
        start_with_paths(d, there, budget)
        host = Host(d, "twin-save", "twin-save", title="Save As", suggested=SUGGESTED)
        for digit, shown, name in (("1", there, SUGGESTED),
                                   ("2", folder("twin fav"), "budget.xlsx")):
            menu = pop(d)
            box = name_box(d, host)
            # At the name field's box, not at the navigation pane's corner.
            assert abs(menu["rect"][0] - box["rect"][0]) <= 2, (menu["rect"], box["rect"])
            assert abs(menu["rect"][1] - box["rect"][3]) <= 2, (menu["rect"], box["rect"])
            if digit == "1":
                d.screenshot("twin_save_hotkey_menu")
            count = len(host.folders())
            d.keys(digit)
            host.wait_folder(shown, count)
            wait_until(lambda: host.name_field() == name, timeout=3,
                       what=f"{name} in the Save twin's field")
        assert no_result(host), host.field("result")
        assert "got WM_USER+103" not in host.lines()


def downloads():
    """The prefix user's Downloads folder, as a Windows path."""
    users = os.path.join(DRIVE_C, "users")
    user = next(name for name in os.listdir(users)
                if name != "Public" and os.path.isdir(os.path.join(users, name, "Downloads")))
    return f"C:\\users\\{user}\\Downloads"


def test_add_reads_the_address_bar_its_path_or_the_known_folders_friendly_name():
    with Desktop() as d:
        here = folder("twin add").rstrip("\\")
        start_with_paths(d, folder("twin listed"))
        for start, shown in ((here, here), (downloads(), "Downloads")):
            host = Host(d, "twin-open", "twin-add", start=start)
            crumbs = [c for c in d.children(host.hwnd) if c["class"] == "ToolbarWindow32"]
            assert crumbs[0]["title"] == "Address: " + shown
            count = len(d.registry())
            pop(d)
            d.keys("a")
            wait_until(lambda: len(d.registry()) > count, what="the folder stored")
            stored = [v for k, v in d.registry().items() if k.startswith("Path")]
            assert stored[-1].lower() == start.lower() + "\\", stored
            assert no_result(host)
            host.process.kill()
            host.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")
