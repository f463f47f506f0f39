"""The setup and uninstaller that make dist builds: silent install, an upgrade over a running
Hopdirs, silent uninstall, and the setup's first page."""
import os
import shutil
import subprocess
import tempfile
import traceback

from harness import HOPDIRS_EXE, Desktop, Text, grab, wait_until
from test_editor import open_editor, wait_list

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Hopdirs"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
APPROVED_KEY = (r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved"
                r"\Run")
YELLOW = b"\xff\xff\x00"  # the folder in Hopdirs' icon
# Wine would mirror the Start-menu shortcut into the Linux desktop's menus; not from a test.
QUIET_WINE = dict(os.environ, WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "")
                  + ";winemenubuilder.exe=d")


def shown_version():
    with open(os.path.join(ROOT, "VERSION")) as f:
        major, minor, _, revision = (int(n) for n in f.read().strip().split("."))
    return f"{major}.{minor}.{revision:04d}"


def setup_exe():
    path = os.path.join(ROOT, "dist", f"Hopdirs-{shown_version()}-setup.exe")
    assert os.path.exists(path), f"{path} is missing: run make dist"
    return path


def run_quietly(*command):
    """A Windows program to its end, its output nowhere, so that a Hopdirs it starts holds no
    pipe of ours."""
    return subprocess.run(["wine", *command], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, env=QUIET_WINE, timeout=60).returncode


def console_output(*command):
    """A Wine console program's output, through a file like the harness's probe."""
    with tempfile.TemporaryFile() as out:
        code = subprocess.run(["wine", *command], stdin=subprocess.DEVNULL, stdout=out,
                              stderr=subprocess.DEVNULL, timeout=30).returncode
        out.seek(0)
        return code, out.read().decode(errors="replace")


def windows_env(name):
    return console_output("cmd", "/c", f"echo %{name}%")[1].strip()


def unix_path(windows_path):
    return console_output("winepath", "-u", windows_path)[1].strip()


def reg_values(key):
    """A key's values (REG_DWORD as int), or None when the key does not exist. ASCII only:
    reg query garbles other text, and every value read here is ASCII."""
    code, output = console_output("reg", "query", key)
    if code != 0:
        return None
    values = {}
    for line in output.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            value = parts[2] if len(parts) == 3 else ""
            values[parts[0]] = int(value, 16) if parts[1] == "REG_DWORD" else value
    return values


def hopdirs_mains(d):
    return d.windows(cls="HopdirsMain")


def test_silent_install_upgrade_over_a_running_hopdirs_and_uninstall_keeping_the_list():
    setup = setup_exe()
    folder = windows_env("LOCALAPPDATA") + r"\Programs\Hopdirs"
    exe = folder + r"\Hopdirs.exe"
    shortcut = unix_path(windows_env("APPDATA") + r"\Microsoft\Windows\Start Menu\Programs"
                         r"\Hopdirs.lnk")
    with Desktop() as d:
        try:
            assert run_quietly(setup, "/S") == 0
            files = unix_path(folder)
            assert sorted(os.listdir(files)) == ["Hopdirs.exe", "LICENSE.txt", "README.txt",
                                                 "Uninstall.exe"]
            with open(os.path.join(files, "Hopdirs.exe"), "rb") as a, open(HOPDIRS_EXE, "rb") as b:
                assert a.read() == b.read(), "dist/ is older than the build: run make dist"
            with open(shortcut, "rb") as link:
                assert "Hopdirs.exe".encode("utf-16-le") in link.read()
            assert reg_values(RUN_KEY)["Hopdirs"] == f'"{exe}"'
            uninstall = reg_values(UNINSTALL_KEY)
            size_kb = sum(os.path.getsize(os.path.join(files, f)) for f in os.listdir(files))
            size_kb //= 1024
            assert abs(uninstall.pop("EstimatedSize") - size_kb) <= 4
            assert uninstall == {
                "DisplayName": "Hopdirs", "DisplayVersion": shown_version(),
                "Publisher": "Quorvane", "DisplayIcon": exe + ",0", "InstallLocation": folder,
                "UninstallString": f'"{folder}\\Uninstall.exe"',
                "QuietUninstallString": f'"{folder}\\Uninstall.exe" /S',
                "NoModify": 1, "NoRepair": 1}

            # The installed program runs; a path is added in its editor and not yet written.
            d.start_hopdirs(exe=exe)
            editor = open_editor(d)
            d.keys(Text("C:\\added just now"), "enter")
            wait_list(d, editor, ["C:\\added just now"], 0)
            assert d.registry() is None

            # Start-with-Windows switched off (the Run value gone, Windows' own switch off):
            # the upgrade leaves it so.
            assert run_quietly("reg", "delete", RUN_KEY, "/v", "Hopdirs", "/f") == 0
            off = "030000000000000000000000"
            assert run_quietly("reg", "add", APPROVED_KEY, "/v", "Hopdirs", "/t", "REG_BINARY",
                               "/d", off, "/f") == 0

            # The upgrade closes it gracefully (it writes its list) and starts it again.
            assert run_quietly(setup, "/S") == 0
            assert "Hopdirs" not in (reg_values(RUN_KEY) or {})
            assert reg_values(APPROVED_KEY)["Hopdirs"] == off
            assert d.wait_hopdirs_exit() == 0
            kept = d.registry()
            assert kept == {"Amount": "1", "Path1": "C:\\added just now", "Clipboard": "True"}
            wait_until(lambda: hopdirs_mains(d), timeout=20, what="Hopdirs started again")
            wait_until(d.icon_spot, timeout=20, what="its tray icon")

            # The uninstaller, run as the Uninstall key says, closes it and removes the lot.
            assert run_quietly(f"{folder}\\Uninstall.exe", "/S") == 0
            wait_until(lambda: not os.path.exists(files), timeout=20, what="the folder to go")
            wait_until(lambda: not hopdirs_mains(d), timeout=20, what="Hopdirs to end")
            assert not os.path.exists(shortcut)
            assert reg_values(UNINSTALL_KEY) is None
            assert "Hopdirs" not in (reg_values(RUN_KEY) or {})
            assert d.registry() == kept
        except BaseException:
            remove_leftovers(d, folder)
            raise


def setup_windows(d):
    """The setup's or uninstaller's window, if one is open."""
    return [w for w in d.windows(cls="#32770", visible=True) if w["title"].startswith("Hopdirs")]


def remove_leftovers(d, folder):
    """After a failure: no Hopdirs nor setup left running, nothing installed for the next
    scenario. Its own failures are printed, so that the first one is the one reported."""
    try:
        for window in hopdirs_mains(d):
            d.probe("close", str(window["hwnd"]), check=False)
        for window in setup_windows(d):
            console_output("taskkill", "/f", "/pid", str(window["pid"]))
        wait_until(lambda: not hopdirs_mains(d) and not setup_windows(d), timeout=20,
                   what="Hopdirs and the setup to end")
        if os.path.exists(unix_path(folder + r"\Uninstall.exe")):
            run_quietly(f"{folder}\\Uninstall.exe", "/S", f"_?={folder}")
        shutil.rmtree(unix_path(folder), ignore_errors=True)
    except Exception:
        traceback.print_exc()


def test_setup_first_page_names_the_version_and_shows_the_icon():
    with Desktop() as d:
        setup = d.spawn(setup_exe())
        page = d.wait_window(cls="#32770", title=f"Hopdirs {shown_version()} Setup")
        texts = [c["title"] for c in d.children(page["hwnd"])]
        assert f"Welcome to Hopdirs {shown_version()} Setup" in texts, texts
        assert "&Next >" in texts and "Cancel" in texts, texts
        d.screenshot("installer_welcome")
        # The caption's icon is Hopdirs' own: its yellow folder in the title bar's left end.
        left, top, right, _ = page["rect"]
        caption = grab("-window", "root", "-crop", f"40x24+{left}+{top}", "-depth", "8", "rgb:-")
        assert sum(caption[i:i + 3] == YELLOW for i in range(0, len(caption), 3)) >= 10
        d.probe("close", str(page["hwnd"]))  # as the Cancel button: the setup ends, nothing done
        wait_until(lambda: setup.poll() is not None, timeout=20, what="the setup to end")
        assert not os.path.exists(unix_path(windows_env("LOCALAPPDATA") + r"\Programs\Hopdirs"))


def test_uninstall_removes_the_list_only_when_ticked():
    folder = windows_env("LOCALAPPDATA") + r"\Programs\Hopdirs"
    with Desktop() as d:
        try:
            assert run_quietly(setup_exe(), "/S") == 0
            d.seed_registry({"Amount": "1", "Path1": "C:\\x"})
            d.spawn(folder + r"\Uninstall.exe")  # hands over to a copy of itself and ends
            page = wait_until(lambda: next(iter(setup_windows(d)), None), timeout=20,
                              what="the uninstaller")
            assert "Uninstall" in page["title"]
            wait_until(lambda: (d.foreground()["window"] or {}).get("hwnd") == page["hwnd"],
                       what="the uninstaller in front")

            def button(title):
                return next((c for c in d.children(page["hwnd"])
                             if c["title"] == title and c["visible"]), None)

            def click(title):
                left, top, right, bottom = wait_until(lambda: button(title),
                                                      what=f"the button {title}")["rect"]
                d.click((left + right) // 2, (top + bottom) // 2)

            click("&Next >")  # the folder is confirmed; the components follow, the list unticked
            wait_until(lambda: button("&Uninstall"), what="the components page")
            d.keys("down", "space")  # in the list of components, which has the focus
            click("&Uninstall")
            click("&Close")  # shown when the uninstall has ended
            wait_until(lambda: not setup_windows(d), what="the uninstaller to end")
            assert not os.path.exists(unix_path(folder))
            assert d.registry() is None
            assert reg_values(r"HKCU\Software\Quorvane") is None, "an emptied parent goes too"
        except BaseException:
            remove_leftovers(d, folder)
            raise
