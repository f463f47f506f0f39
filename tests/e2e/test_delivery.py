"""Paths delivered into real file dialogs: a dialog host of our own opens a classic or a
Vista-style Open dialog in the Wine desktop and logs every folder change and its result."""
import os
import subprocess
import time

from harness import BUILD, Desktop, hex16, wait_until

DIALOG_HOST = os.path.join(BUILD, "dialog_host.exe")
DELIVER_TOOL = os.path.join(BUILD, "deliver_tool.exe")
DRIVE_C = os.path.join(os.environ.get("WINEPREFIX", ""), "drive_c")
ROOT = "hop e2e"
# Folder names the key-string notation would read as keys, and ones outside ASCII.
AWKWARD = ["Program Files (x86)", "PROGRA~1", "R&D", "\u00dcberall", "a+b", "50%", "x^y",
           "{braces}", "[brackets]", "with  two spaces"]


def folder(name):
    """A folder under C:\\hop e2e, created in the prefix; returned as a Windows path."""
    os.makedirs(os.path.join(DRIVE_C, ROOT, name), exist_ok=True)
    return f"C:\\{ROOT}\\{name}\\"


def file_in(name, leaf):
    folder(name)
    with open(os.path.join(DRIVE_C, ROOT, name, leaf), "w") as out:
        out.write("x")
    return f"C:\\{ROOT}\\{name}\\{leaf}"


class Host:
    """One dialog host process and its log."""

    def __init__(self, desktop, kind, name, title="Open"):
        self.log = os.path.join(DRIVE_C, ROOT, f"{name}.log")
        os.makedirs(os.path.dirname(self.log), exist_ok=True)
        if os.path.exists(self.log):
            os.remove(self.log)
        self.process = desktop.spawn(DIALOG_HOST, kind, f"C:\\{ROOT}\\{name}.log", "C:\\windows",
                                     title)
        self.hwnd = int(wait_until(lambda: self.field("ready"), timeout=20, what="the dialog"))
        wait_until(self.folders, what="the first folder")

    def lines(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as log:
            return [line.rstrip("\n") for line in log]

    def field(self, word):
        for line in self.lines():
            if line.startswith(word + " "):
                return line[len(word) + 1:]
        return None

    def folders(self):
        return [line.split(" ", 2)[2] for line in self.lines() if line.startswith("folder ")]

    def wait_folder(self, path, count_before):
        want = path.rstrip("\\").lower()
        return wait_until(lambda: len(self.folders()) > count_before and
                          self.folders()[-1].lower() == want, timeout=5,
                          what=f"the dialog to move to {path}")


def deliver(mode, path, *extra):
    result = subprocess.run(["wine", DELIVER_TOOL, mode, hex16(path), *extra],
                            capture_output=True, timeout=60)
    return result.stdout.decode().strip()


def clipboard_sample(d):
    d.set_clipboard("earlier text \u00e9", {"Hopdirs e2e blob": b"\x00\x01\x02\xff"})
    return d.clipboard()


def check_awkward_paths(kind):
    with Desktop() as d:
        host = Host(d, kind, kind)
        before = clipboard_sample(d)
        for mode in ("typing", "clipboard"):
            for name in AWKWARD:
                path = folder(name)
                count = len(host.folders())
                assert deliver(mode, path) == "Delivered", (mode, path)
                host.wait_folder(path, count)
                assert d.clipboard() == before, f"clipboard changed by {mode} {path}"
        d.screenshot(f"delivery_{kind}")


def test_classic_dialog_takes_awkward_paths_in_both_modes():
    check_awkward_paths("classic")


def test_vista_dialog_takes_awkward_paths_in_both_modes():
    check_awkward_paths("vista")


def test_a_file_path_opens_the_file_and_nothing_follows_into_the_application():
    with Desktop() as d:
        for kind, mode in (("classic", "typing"), ("vista", "clipboard")):
            host = Host(d, kind, "file-" + kind)
            path = file_in("files", "pick me.txt")
            assert deliver(mode, path) == "Delivered"
            wait_until(lambda: host.field("result"), what="the dialog's result")
            assert host.field("result") == "ok " + path
            host.process.wait(timeout=10)


def test_the_topmost_of_two_dialogs_receives_the_path():
    with Desktop() as d:
        lower = Host(d, "classic", "lower")
        upper = Host(d, "classic", "upper")  # same title, opened later: on top
        top = d.windows(cls="#32770", visible=True)[0]
        assert top["hwnd"] == upper.hwnd
        path = folder("topmost")
        lower_count, upper_count = len(lower.folders()), len(upper.folders())
        assert deliver("typing", path) == "Delivered"
        upper.wait_folder(path, upper_count)
        time.sleep(0.5)
        assert len(lower.folders()) == lower_count, "the lower dialog must not move"


def test_a_dialog_that_closes_before_activation_gets_nothing_and_nor_does_its_namesake():
    with Desktop() as d:
        for mode in ("typing", "clipboard"):
            lower = Host(d, "classic", "namesake-" + mode)
            upper = Host(d, "classic", "vanishing-" + mode)  # same title "Open", on top
            before = clipboard_sample(d)
            count = len(lower.folders())
            assert deliver(mode, folder("never"), "vanish") == "NotActivated"
            wait_until(lambda: upper.field("result"), what="the closed dialog's result")
            assert upper.field("result").startswith("cancel"), upper.field("result")
            time.sleep(0.5)
            assert len(lower.folders()) == count, "another window of the same title moved"
            assert not [c for c in d.children(lower.hwnd) if "never" in c["title"]]
            assert d.clipboard() == before
            lower.process.kill()
            lower.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")


def test_with_no_dialog_nothing_at_all_happens():
    with Desktop() as d:
        before_clip = clipboard_sample(d)
        before_windows = [(w["hwnd"], w["title"], w["visible"]) for w in d.windows()]
        before_foreground = d.foreground()
        for mode in ("typing", "clipboard"):
            assert deliver(mode, "C:\\windows\\") == "NoDialog"
        assert d.clipboard() == before_clip
        assert [(w["hwnd"], w["title"], w["visible"]) for w in d.windows()] == before_windows
        assert d.foreground() == before_foreground


def test_path_chosen_from_the_tray_menu_reaches_the_dialog():
    with Desktop() as d:
        first, second = folder("tray one"), folder("tray (two) +%^")
        d.seed_registry({"Amount": "2", "Path1": first, "Path2": second, "Clipboard": "False"})
        d.start_hopdirs()
        d.xdotool("mousemove", str(d.icon_at[0]), str(d.icon_at[1] - 1))
        wait_until(lambda: "2 Hopdirs" in d.tooltip_text(), timeout=10,
                   what="the tip of the two stored paths")
        host = Host(d, "classic", "tray")
        before = clipboard_sample(d)
        for keys, path in ((("down", "down", "enter"), first),
                           (("down", "down", "down", "enter"), second)):
            count = len(host.folders())
            d.click_tray("left")
            d.wait_menu()
            d.keys(*keys)
            host.wait_folder(path, count)
            assert d.clipboard() == before
            time.sleep(1.2)  # keep the next click apart from this one
