"""Contracts of Windows that Wine's own programs do not show, kept by stand-ins: a Browse for
Folder slow to take its selection, one whose tree starts elsewhere, and a keyboard hook that
holds every key back."""
import os
import time

from harness import BUILD, Desktop, wait_until
from test_delivery import (DRIVE_C, ROOT, SUGGESTED, Host, browse_folder, deliver, folder,
                           no_result)

CONTRACT_HOST = os.path.join(BUILD, "contract_host.exe")


class ContractHost(Host):
    """A stand-in of contract_host.exe and its log, read as a dialog host's."""

    def __init__(self, desktop, kind, name, *args):  # pylint: disable=super-init-not-called
        self.desktop = desktop
        self.log = os.path.join(DRIVE_C, ROOT, f"{name}.log")
        os.makedirs(os.path.dirname(self.log), exist_ok=True)
        if os.path.exists(self.log):
            os.remove(self.log)
        self.process = desktop.spawn(CONTRACT_HOST, kind, f"C:\\{ROOT}\\{name}.log", *args)
        self.hwnd = int(wait_until(lambda: self.field("ready"), timeout=20, what=kind))


def test_a_browse_for_folder_slow_to_take_its_selection_still_reads_the_path():
    with Desktop() as d:
        path = browse_folder("slow share")
        host = ContractHost(d, "slow-browse", "slow-browse")
        count = len(host.folders())
        # The send is given up on after 2 s; the tree goes on and reads the path at 3 s.
        assert deliver("typing", path) == "NotTaken"
        assert wait_until(lambda: host.field("read"), timeout=5, what="the read") == \
            path.rstrip("\\")
        host.wait_folder(path, count)


def test_a_browse_for_folder_rooted_elsewhere_gets_a_balloon_not_a_silent_success():
    with Desktop() as d:
        outside = browse_folder("outside the root")
        root = browse_folder("picker root").rstrip("\\")
        d.seed_registry({"Amount": "1", "Path1": outside, "Clipboard": "False"})
        d.start_hopdirs()
        host = ContractHost(d, "rooted-browse", "rooted-browse", root)
        count = len(host.folders())
        time.sleep(1.2)
        d.click_tray("left")
        d.wait_menu()
        d.keys("down", "down", "enter")
        wait_until(lambda: any("cannot be shown" in tip for tip in d.tooltip_text()),
                   timeout=15, what="the balloon saying the folder cannot be shown")
        d.screenshot("browse_rooted_elsewhere")
        assert len(host.folders()) == count
        assert no_result(host)


def test_keys_held_back_by_a_hook_let_a_folder_favourite_save_nothing_and_keep_the_name():
    with Desktop() as d:
        ContractHost(d, "slow-keys", "slow-keys")
        target = folder("held keys")
        for kind in ("classic-save", "vista-save"):
            host = Host(d, kind, "held-" + kind, title="Save As", suggested=SUGGESTED)
            count = len(host.folders())
            assert deliver("clipboard", target) == "Delivered", kind
            host.wait_folder(target, count)
            wait_until(lambda: host.name_field() == SUGGESTED, timeout=3,
                       what=f"the suggested name back in {kind}")
            time.sleep(1.0)  # past any key the hook still holds
            assert no_result(host), host.field("result")
            assert host.name_field() == SUGGESTED
            host.process.kill()
            host.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")
