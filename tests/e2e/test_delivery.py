"""Paths delivered into real file dialogs: a dialog host of our own opens a classic or a
Vista-style Open or Save dialog in the Wine desktop and logs every folder change and its
result."""
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


def browse_folder(name):
    """A folder for Browse for Folder, away from the hosts' logs and read once. Wine's tree finds
    a folder by its whole item data, last access time included: a folder whose first read since
    a change is the tree's own gets a new access time, and the path no longer matches its item."""
    path = os.path.join(DRIVE_C, "hop browse", name)
    os.makedirs(path, exist_ok=True)
    time.sleep(0.05)  # past the clock tick of the change, so the reads below are its first
    for level in (os.path.dirname(path), path):
        os.listdir(level)
    return f"C:\\hop browse\\{name}\\"


def file_in(name, leaf):
    folder(name)
    with open(os.path.join(DRIVE_C, ROOT, name, leaf), "w") as out:
        out.write("x")
    return f"C:\\{ROOT}\\{name}\\{leaf}"


class Host:
    """One dialog host process and its log."""

    def __init__(self, desktop, kind, name, title="Open", suggested=None, start="C:\\windows",
                 env=None):
        self.desktop = desktop
        self.log = os.path.join(DRIVE_C, ROOT, f"{name}.log")
        os.makedirs(os.path.dirname(self.log), exist_ok=True)
        if os.path.exists(self.log):
            os.remove(self.log)
        self.process = desktop.spawn(DIALOG_HOST, kind, f"C:\\{ROOT}\\{name}.log", start,
                                     title, *([suggested] if suggested else []), env=env)
        self.hwnd = int(wait_until(lambda: self.field("ready"), timeout=20, what="the dialog"))
        if kind != "decoys":
            wait_until(self.folders, what="the first folder")

    def name_edit(self):
        """The dialog's file-name Edit: id 1148 or 1152 in Wine's dialogs; in the twins of
        Windows', the Edit in the Save view's combo box or in ComboBoxEx32 1148."""
        children = self.desktop.children(self.hwnd)
        by_handle = {c["hwnd"]: c for c in children}

        def in_name_box(c):
            parent = by_handle.get(c["parent"])
            grand = parent and by_handle.get(parent["parent"])
            return bool(grand) and grand["class"] in ("FloatNotifySink", "ComboBoxEx32")

        fields = [c for c in children
                  if c["class"] == "Edit" and (c["id"] in (1148, 1152) or in_name_box(c))]
        assert len(fields) == 1, fields
        return fields[0]

    def name_field(self):
        """The text of the dialog's file-name field."""
        return self.name_edit()["title"]

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


def deliver(mode, path, *extra, env=None):
    result = subprocess.run(["wine", DELIVER_TOOL, mode, hex16(path), *extra],
                            capture_output=True, timeout=60, env={**os.environ, **(env or {})})
    return result.stdout.decode().strip()


# Formats that keep clipboard contents out of Windows' clipboard history and cloud clipboard.
PRIVATE = {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
           "CanUploadToCloudClipboard", "Clipboard Viewer Ignore"}


def user_clipboard(d):
    """The clipboard without the formats that only keep it out of the history."""
    return [entry for entry in d.clipboard() if entry["name"] not in PRIVATE]


def clipboard_sample(d):
    d.set_clipboard("earlier text \u00e9", {"Hopdirs e2e blob": b"\x00\x01\x02\xff"})
    return user_clipboard(d)


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
                assert user_clipboard(d) == before, f"clipboard changed by {mode} {path}"
        # The restored contents are kept out of the clipboard history, not changed.
        assert PRIVATE <= {entry["name"] for entry in d.clipboard()}
        d.screenshot(f"delivery_{kind}")


def test_classic_dialog_takes_awkward_paths_in_both_modes():
    check_awkward_paths("classic")


def test_vista_dialog_takes_awkward_paths_in_both_modes():
    check_awkward_paths("vista")


def test_a_file_path_opens_the_file_and_nothing_follows_into_the_application():
    with Desktop() as d:
        for kind, mode in (("classic", "typing"), ("vista", "clipboard"), ("twin-open", "typing")):
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
            assert user_clipboard(d) == before
            lower.process.kill()
            lower.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")


def test_with_no_dialog_nothing_at_all_happens():
    with Desktop() as d:
        before_clip = clipboard_sample(d)
        before_windows = d.windows()
        before_foreground = d.foreground()
        for mode in ("typing", "clipboard"):
            assert deliver(mode, "C:\\windows\\") == "NoDialog"
        assert user_clipboard(d) == before_clip
        before, after = lasting_windows(before_windows, d.windows())
        assert after == before, (set(after) ^ set(before))
        assert d.foreground() == before_foreground


def lasting_windows(*snapshots):
    """The snapshots' windows of the processes that ran throughout (the desktop's), in Z-order:
    what a delivery could touch. The probe and the helpers come and go with windows of their own."""
    lasting = set.intersection(*({w["pid"] for w in windows} for windows in snapshots))
    return [[(w["hwnd"], w["title"], w["visible"]) for w in windows if w["pid"] in lasting]
            for windows in snapshots]


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
            assert user_clipboard(d) == before
            time.sleep(1.2)  # keep the next click apart from this one


SAVE_KINDS = ("classic-save", "classic-save-prompt", "vista-save", "twin-save")
SUGGESTED = "Suggested name.txt"


def no_result(host):
    time.sleep(0.5)
    return host.field("result") is None


def test_save_dialogs_move_to_folders_and_keep_the_suggested_name():
    with Desktop() as d:
        for kind in SAVE_KINDS:
            host = Host(d, kind, kind, title="Save As", suggested=SUGGESTED)
            for mode, path in (("typing", folder("save here")),
                               ("clipboard", folder("save there").rstrip("\\"))):
                count = len(host.folders())
                assert deliver(mode, path) == "Delivered", (kind, mode, path)
                host.wait_folder(path, count)
                wait_until(lambda: host.name_field() == SUGGESTED, timeout=3,
                           what=f"the suggested name back in {kind}")
                assert no_result(host), host.field("result")
            d.screenshot(f"delivery_{kind}")
            host.process.kill()
            host.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")


def test_a_file_favourite_in_a_save_dialog_is_left_to_the_user():
    with Desktop() as d:
        budget = file_in("fav", "budget.xlsx")
        for kind, mode in zip(SAVE_KINDS, ("typing", "clipboard", "typing", "clipboard")):
            host = Host(d, kind, "file-" + kind, title="Save As", suggested=SUGGESTED)
            count = len(host.folders())
            assert deliver(mode, budget) == "Delivered", kind
            host.wait_folder(folder("fav"), count)
            wait_until(lambda: host.name_field() == "budget.xlsx", timeout=3,
                       what=f"the file's name in {kind}")
            assert no_result(host), host.field("result")
            assert not d.windows(cls="#32770", title="Save As", visible=True)[1:], \
                "no overwrite prompt: nothing was confirmed"
            host.process.kill()
            host.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")


def test_a_missing_favourite_types_nothing_and_a_balloon_names_it():
    with Desktop() as d:
        d.seed_registry({"Amount": "1", "Path1": "C:\\gone", "Clipboard": "False"})
        d.start_hopdirs()
        # With no dialog open the user is told so.
        d.click_tray("left")
        d.wait_menu()
        d.keys("down", "down", "enter")
        wait_until(lambda: any("No file dialog" in tip for tip in d.tooltip_text()),
                   timeout=10, what="the no-dialog balloon")
        host = Host(d, "classic-save", "gone", title="Save As", suggested=SUGGESTED)
        count = len(host.folders())
        time.sleep(1.2)
        d.click_tray("left")
        d.wait_menu()
        d.keys("down", "down", "enter")
        wait_until(lambda: any('"C:\\gone"' in tip for tip in d.tooltip_text()),
                   timeout=15, what="a balloon naming C:\\gone")
        d.screenshot("delivery_balloon_gone")
        assert no_result(host), host.field("result")
        assert len(host.folders()) == count
        assert host.name_field() == SUGGESTED


def test_russian_czech_and_german_layouts_type_and_paste():
    with Desktop() as d:
        hosts = [Host(d, kind, "layout-" + kind) for kind in ("classic", "vista")]
        try:
            for layout in ("ru", "ru,us", "cz", "de"):
                subprocess.run(["setxkbmap", layout], check=True)
                time.sleep(0.5)  # running Wine processes take the layout within ~0.3 s
                for host in hosts:
                    d.probe("activate", str(host.hwnd))
                    for mode in ("typing", "clipboard"):
                        path = folder(f"{layout} {mode} \u0434\u043e\u043c")
                        count = len(host.folders())
                        assert deliver(mode, path) == "Delivered", (layout, mode)
                        host.wait_folder(path, count)
        finally:
            subprocess.run(["setxkbmap", "us"], check=True)


def test_hidden_and_field_less_dialogs_above_the_file_dialog_get_no_key():
    with Desktop() as d:
        host = Host(d, "classic", "under-decoys")
        decoys = Host(d, "decoys", "decoys", title="Run")
        order = [w["hwnd"] for w in d.windows(cls="#32770")]
        hidden = int(decoys.field("hidden"))
        assert order.index(host.hwnd) > max(order.index(hidden), order.index(decoys.hwnd))
        for mode in ("typing", "clipboard"):
            path = folder("past the decoys " + mode)
            count = len(host.folders())
            assert deliver(mode, path) == "Delivered"
            host.wait_folder(path, count)
        assert [line for line in decoys.lines() if line.split()[0] in ("text", "command")] == []


def test_a_file_dialog_under_its_own_message_box_gets_nothing():
    with Desktop() as d:
        host = Host(d, "classic-busy", "busy")
        wait_until(lambda: host.field("box") is not None, what="the host's message box")
        d.wait_window(cls="#32770", title="Host message")
        before = host.name_field()
        for mode in ("typing", "clipboard"):
            assert deliver(mode, folder("never busy")) == "Busy"
        assert len(host.folders()) == 1
        assert host.name_field() == before
        assert d.wait_window(cls="#32770", title="Host message")


def test_a_save_dialog_already_in_the_favourites_folder_keeps_its_suggested_name():
    with Desktop() as d:
        here = folder("already here")
        budget = file_in("already here", "budget.xlsx")
        for kind in ("classic-save", "vista-save", "twin-save"):
            host = Host(d, kind, "already-" + kind, title="Save As", suggested=SUGGESTED,
                        start=here.rstrip("\\"))
            for mode, path, name in (("typing", here, SUGGESTED),
                                     ("clipboard", budget, "budget.xlsx")):
                # Delivered: no balloon, although the dialog had nowhere to move.
                assert deliver(mode, path) == "Delivered", (kind, path)
                wait_until(lambda: host.name_field() == name, timeout=3,
                           what=f"{name} in the field of {kind}")
                assert no_result(host), host.field("result")
            host.process.kill()
            host.process.wait(timeout=10)
            d.wait_no_window(cls="#32770")


def test_folder_pickers_and_browse_for_folder_show_the_favourite_and_return_it_on_enter():
    # Windows' picker (the twin) by its structure alone: Hopdirs knows its words in no language.
    for kind, title, mode, name, leaf in (("picker", "Choose", "typing", "pick me", "inside.txt"),
                                          ("twin-picker", "Dewis ffolder", "clipboard", "twin pick",
                                           "inside.txt"),
                                          ("browse", "Choose a folder", "clipboard", "browse to",
                                           None)):
        with Desktop() as d:
            path = file_in(name, leaf) if leaf else browse_folder(name)
            chosen = path.rsplit("\\", 1)[0] if leaf else path.rstrip("\\")
            host = Host(d, kind, kind, title=title)
            count = len(host.folders())
            assert deliver(mode, path) == "Delivered", kind
            if kind.endswith("picker"):  # the file's folder, in the field
                assert host.name_field() == chosen
            else:  # the tree's selection
                host.wait_folder(chosen, count)
                d.screenshot("delivery_browse")
            assert no_result(host), f"{kind} was confirmed for the user"
            d.keys("enter")
            wait_until(lambda: host.field("result"), what=f"the {kind}'s result")
            assert host.field("result") == "ok " + chosen


def test_german_and_french_open_dialogs_beside_an_english_hopdirs_open_a_file_favourite():
    for lang, title, button in (("de_DE.UTF-8", "Oeffnen", "&\u00d6ffnen"),
                                ("fr_FR.UTF-8", "Ouvrir", "&Ouvrir")):
        env = {"LANG": lang, "LC_ALL": lang}
        with Desktop() as d:
            host = Host(d, "classic", "lang-" + lang, title=title, env=env)
            ok = [c for c in d.children(host.hwnd) if c["id"] == 1 and c["class"] == "Button"]
            assert ok[0]["title"] == button, f"the dialog must be in {lang}"
            path = file_in("lang " + lang, "report.txt")
            assert deliver("typing", path) == "Delivered"  # from an English Hopdirs
            wait_until(lambda: host.field("result"), what="the dialog's result")
            assert host.field("result") == "ok " + path


def test_a_relative_favourite_is_read_against_the_dialogs_folder():
    with Desktop() as d:
        beta, alpha = folder("rel beta"), folder("rel alpha")
        host = Host(d, "classic-save", "relative", title="Save As", suggested=SUGGESTED,
                    start=beta.rstrip("\\"))
        count = len(host.folders())
        assert deliver("typing", "..\\rel alpha") == "Delivered"
        host.wait_folder(alpha, count)
        wait_until(lambda: host.name_field() == SUGGESTED, timeout=3, what="the suggested name")
        assert deliver("typing", "..\\nowhere") == "PathMissing"
