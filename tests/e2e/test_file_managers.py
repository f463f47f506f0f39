"""Other file managers: stand-ins keeping Total Commander's, Double Commander's and Directory
Opus's contracts run in the desktop. Both menus list their folders after the paths, each under
its manager's heading; a digit and a tray row move a dialog there; managers that sleep 10 s on
the question leave the menu to show in time, with the others' folders."""
import os
import shutil
import time

from harness import BUILD, Desktop, wait_until
from test_delivery import DRIVE_C, Host, folder
from test_hotkey import pop, start_with_paths

STAND_IN = os.path.join(BUILD, "tests", "win", "manager_stand_in.exe")
BIN = os.path.join(DRIVE_C, "hop managers")


def install(opus_source, opus_target):
    """The stand-in under each manager's name; Opus's helper answers with these two tabs."""
    shutil.rmtree(BIN, ignore_errors=True)
    os.makedirs(BIN)
    for name in ("totalcmd64.exe", "doublecmd.exe", "dopus.exe", "dopusrt.exe"):
        shutil.copy(STAND_IN, os.path.join(BIN, name))
    with open(os.path.join(BIN, "paths.xml"), "w", encoding="utf-8") as xml:
        xml.write('<?xml version="1.0" encoding="UTF-8"?>\r\n<results command="paths">\r\n'
                  f'<path active_lister="1" side="2" tab_state="2">{opus_target}</path>\r\n'
                  f'<path active_lister="1" side="1" tab_state="1">{opus_source}</path>\r\n'
                  '</results>\r\n')


def manager(d, name, *args):
    d.spawn(f"C:\\hop managers\\{name}", *args)


def choose(d, host, digit, path, tries):
    """A digit in the hotkey's menu. Opus's helper is a process, and one started under Wine on a
    loaded machine now and then misses the menu's 150 ms: its rows are then absent, the digit
    chooses nothing, and the menu is opened again (`tries` times at most)."""
    for attempt in range(tries):
        d.probe("activate", str(host.hwnd))
        count = len(host.folders())
        pop(d)
        if digit == "6":
            d.screenshot("hotkey_menu_file_managers")
        d.keys(digit)
        moved = lambda: len(host.folders()) > count and \
            host.folders()[-1].lower() == path.rstrip("\\").lower()
        try:
            return wait_until(moved, timeout=1.5, what=f"the dialog to move to {path}")
        except AssertionError:
            if attempt == tries - 1:
                raise
            if d.menus():
                d.keys("esc")
                d.wait_no_menu()


def test_file_managers_folders_are_in_both_menus_and_a_slow_one_does_not_hold_them_up():
    with Desktop() as d:
        favourite = folder("fm favourite")
        tc_source, tc_target, dc_shown, opus_source, opus_target = (
            folder(name) for name in ("tc source", "tc target", "dc shown", "opus source",
                                      "opus target"))
        install(opus_source, opus_target)
        manager(d, "totalcmd64.exe", "tc", tc_source.rstrip("\\"), tc_target.rstrip("\\"))
        manager(d, "doublecmd.exe", "dc", f"shown ({dc_shown}) - Double Commander 1.1.10")
        manager(d, "dopus.exe", "idle")
        wait_until(lambda: len(d.windows(cls="TTOTAL_CMD", visible=True)) == 2,
                   what="the commanders' windows")
        d.seed_registry({"RecentMax": "0"})  # no recent rows: a digit past the rows is no choice
        start_with_paths(d, favourite)
        host = Host(d, "classic", "managers")

        # The hotkey's digits run on from the path: each manager's folders under its heading,
        # in the order the managers show them (active panel or tab first).
        for digit, path, tries in (("2", tc_source, 1), ("3", tc_target, 1), ("4", dc_shown, 1),
                                   ("5", opus_source, 5), ("6", opus_target, 5)):
            choose(d, host, digit, path, tries)

        # The tray's menu: the row of Total Commander's other panel (every heading is a row
        # too).
        time.sleep(1.2)  # keep this click apart from the last one
        count = len(host.folders())
        d.click_tray("left")
        d.wait_menu()
        d.screenshot("tray_menu_file_managers")
        d.keys(*["down"] * 5, "enter")
        host.wait_folder(tc_target, count)

        # A Total Commander in front and an Opus helper that each sleep 10 s: the menu shows
        # within the bound, with Double Commander's folder now second.
        open(os.path.join(BIN, "slow"), "w").close()
        manager(d, "totalcmd64.exe", "tc", tc_source.rstrip("\\"), tc_target.rstrip("\\"),
                "10000")
        wait_until(lambda: len(d.windows(cls="TTOTAL_CMD", visible=True)) == 3,
                   what="the slow commander's window")
        d.probe("activate", str(host.hwnd))
        pop(d)  # the key is taken again once the dialog is back in front
        d.keys("esc")
        d.wait_no_menu()
        count = len(host.folders())
        start = time.monotonic()
        d.keys("ctrl+g")
        d.wait_menu()
        shown = time.monotonic() - start
        print(f"menu shown {shown:.2f} s after the key")
        d.screenshot("hotkey_menu_slow_managers")
        d.keys("2")
        host.wait_folder(dc_shown, count)
        assert shown < 1.5, shown
