"""End-to-end harness: drives Hopdirs inside the test run's Wine virtual desktop as a user would.

The test run (scripts/test.sh, via scripts/wine_env.sh) provides an Xvfb whose whole 1024x768
screen is the Wine virtual desktop "Default" (with a taskbar and a tray), a Wine prefix of its
own (WINEPREFIX) and a running wineserver. HOP_BUILD names the Windows build directory.

    from harness import Desktop

    def test_something():
        with Desktop() as d:                      # registry key cleared, nothing of ours running
            d.seed_registry({"Amount": "2", "Path1": "C:\\a\\", "Path2": "C:\\b\\"})
            d.start_hopdirs()                     # waits until the tray icon is drawn
            d.click_tray("right")                 # "left", "right" or "double"
            menu = d.wait_menu()                  # the open popup menu window (#32768)
            d.keys("x")                           # SendInput from inside the desktop
            d.wait_hopdirs_exit()
            assert d.registry()["Amount"] == "2"

Everything the session started is stopped by PID on exit, and the registry key is cleared.
Texts cross the process boundary as hex UTF-16 (in) and JSON \\u escapes (out), so non-ASCII
paths survive exactly.
"""
import contextlib
import json
import os
import signal
import subprocess
import sys
import tempfile
import time

BUILD = os.environ.get("HOP_BUILD", os.path.join(os.path.dirname(__file__), "../../build/win"))
HOPDIRS_EXE = os.path.join(BUILD, "Hopdirs.exe")
PROBE_EXE = os.path.join(BUILD, "tests", "e2e", "probe.exe")
SCREEN = (1024, 768)
TASKBAR_HEIGHT = 24
SHOTS = os.environ.get("HOP_SHOTS", os.path.join(BUILD, "e2e-shots"))


class TimeoutError_(AssertionError):
    pass


class Skip(Exception):
    """Raised by a scenario that cannot run in this build; ctest reports it as skipped."""


def hex16(text):
    """A text as hex UTF-16LE, the form probe.exe takes texts in."""
    return text.encode("utf-16-le").hex()


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns something truthy; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError_(f"timed out after {timeout:.1f}s waiting for {what}")
        time.sleep(interval)


def grab(*args):
    """Runs ImageMagick's import; retried, since X refuses a grab while the Wine desktop's
    windows are being made or torn down."""
    for attempt in range(20):
        result = subprocess.run(["import", *args], capture_output=True)
        if result.returncode == 0:
            return result.stdout
        time.sleep(0.1)
    raise AssertionError(f"import failed: {result.stderr.decode(errors='replace')}")


def wine(*args, **kwargs):
    return subprocess.run(["wine", *args], capture_output=True, **kwargs)


def restart_wine(*reg_commands):
    """Ends the run's Wine session, applies `reg` commands (each a list of arguments to wine's
    reg.exe) and starts the session again: what a process reads once at its start, such as the
    DPI or the desktop's shell, then comes from the new values. Output goes nowhere, since
    Wine's services outlive the commands that start them and would hold a pipe open."""
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                 stderr=subprocess.DEVNULL, timeout=60)
    subprocess.run(["wineserver", "-k"], **quiet)
    subprocess.run(["wineserver", "-w"], **quiet)
    for command in reg_commands:
        subprocess.run(["wine", "reg", *command], **quiet)
    subprocess.run(["wineserver", "-k"], **quiet)  # writes the registry out
    subprocess.run(["wineserver", "-w"], **quiet)
    subprocess.run(["wineserver", "-p"], **quiet)
    subprocess.run(["wine", "cmd", "/c", "exit"], **quiet)


@contextlib.contextmanager
def wine_session_with(key, name, kind, data, restore):
    """A Wine session started with one registry value set; afterwards the session is started
    again with `restore` (a value of the same kind, or None to delete the value)."""
    restart_wine(["add", key, "/v", name, "/t", kind, "/d", str(data), "/f"])
    try:
        yield
    finally:
        if restore is None:
            restart_wine(["delete", key, "/v", name, "/f"])
        else:
            restart_wine(["add", key, "/v", name, "/t", kind, "/d", str(restore), "/f"])


class Desktop:
    def __init__(self, clear_registry=True):
        self.clear_registry_on_enter = clear_registry
        self.processes = []
        self.hopdirs = None
        self.icon_at = None

    # --- session ------------------------------------------------------------------------------
    def __enter__(self):
        os.makedirs(SHOTS, exist_ok=True)
        # The pointer away from where the icon and the windows appear: a hover then moves it,
        # whatever the scenario before left it on.
        self.xdotool("mousemove", "0", "0")
        wait_until(lambda: self.icon_spot() is None, timeout=10,
                   what="no tray icon of an earlier run")
        if self.clear_registry_on_enter:
            self.clear_registry()
        self.set_clipboard()  # every scenario starts with an empty clipboard
        return self

    def __exit__(self, failure, *exc):
        if failure is not None:
            self.report_failure()
        self.close_folder_windows()
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGKILL)
                process.wait(timeout=10)
        # Leave nothing of ours on the desktop for the next scenario.
        wait_until(lambda: not self.menus(), timeout=5, what="popup menus to close")
        wait_until(lambda: self.icon_spot() is None, timeout=10, what="the tray icon to go")
        self.clear_registry()
        return False

    def close_folder_windows(self):
        """Closes Explorer's folder windows as a user would: killed, they leave the next
        `explorer /n` in this desktop opening no window at all (seen when a scenario repeats)."""
        for window in self.windows(cls="ExplorerWClass"):
            self.probe("close", str(window["hwnd"]), check=False)
        wait_until(lambda: not self.windows(cls="ExplorerWClass"), timeout=10,
                   what="Explorer's folder windows to close")

    def report_failure(self):
        """What the desktop held when a scenario failed: its windows and a screenshot."""
        try:
            print("visible windows at the failure:")
            for w in self.windows(visible=True):
                print(f"  {w['class']!r} {w['title']!r} pid {w['pid']} rect {w['rect']}")
            name = sys.argv[2] if len(sys.argv) > 2 else "scenario"
            print("screenshot:", self.screenshot(f"failed-{name}"))
        except Exception as unreadable:  # pylint: disable=broad-except  # the failure comes first
            print(f"the desktop could not be read: {unreadable}")

    def spawn(self, exe, *args, env=None, ready=None):
        """Starts a Windows program in the desktop; it is killed by PID when the session ends.
        `env` adds to the environment (e.g. another UI language); `ready` is a text the program
        prints once it has done what it is there for: spawn returns only then, however loaded
        the machine."""
        output, path = (tempfile.mkstemp(prefix="hop-spawn-") if ready
                        else (subprocess.DEVNULL, None))
        process = subprocess.Popen(["wine", exe, *args], stdin=subprocess.DEVNULL,
                                   stdout=output, stderr=output,
                                   env={**os.environ, **(env or {})})
        self.processes.append(process)
        if ready:
            os.close(output)
            try:
                self.wait_printed(process, path, ready)
            finally:
                os.remove(path)
        return process

    @staticmethod
    def wait_printed(process, path, text):
        def printed():
            with open(path, "rb") as output:
                said = output.read().decode(errors="replace")
            if text in said:
                return True
            if process.poll() is not None:
                raise AssertionError(f"{process.args[1]} ended ({process.returncode}) before "
                                     f"printing {text!r}: {said.strip()}")
            return False
        wait_until(printed, timeout=20, what=f"{process.args[1]} to print {text!r}")

    # --- probe --------------------------------------------------------------------------------
    def probe(self, *args, check=True):
        # Output through files, not pipes: the Wine desktop process that a probe may happen to
        # start inherits its output handles, and a pipe it holds would never reach its end.
        # Wine's own errors are on, so that a failure shows what Wine said.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(["wine", PROBE_EXE, *args], stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=err, timeout=60,
                                  env={**os.environ, "WINEDEBUG": "-all,err+all"}).returncode
            out.seek(0)
            err.seek(0)
            if check and code != 0:
                raise AssertionError(self.probe_failure(args, code, err.read()))
            return out.read().decode("ascii")

    def probe_failure(self, args, code, err):
        """Why a probe call failed: its exit code, the last lines it and Wine wrote, and the
        windows on the desktop (or why they could not be listed)."""
        said = err.decode(errors="replace").strip().splitlines()[-15:]
        lines = [f"probe {' '.join(args)[:200]} failed: exit code {code}",
                 "  stderr (probe and Wine, last lines):" + ("" if said else " nothing")]
        lines += ["    " + line for line in said]
        try:
            listed = json.loads(self.probe("windows", check=False))
            lines.append("  visible windows now:")
            lines += [f"    {w['class']!r} {w['title']!r} pid {w['pid']}"
                      for w in listed if w["visible"]]
        except ValueError:
            lines.append("  the windows could not be listed either")
        return "\n".join(lines)

    def probe_json(self, *args):
        return json.loads(self.probe(*args))

    # --- windows ------------------------------------------------------------------------------
    def windows(self, pid=None, cls=None, title=None, visible=None):
        """Top-level windows in Z-order, topmost first, optionally filtered."""
        found = self.probe_json("windows")
        return [w for w in found
                if (cls is None or w["class"] == cls) and (title is None or w["title"] == title)
                and (visible is None or w["visible"] == visible)]

    def children(self, hwnd):
        return self.probe_json("children", str(hwnd))

    def wait_window(self, cls=None, title=None, timeout=10.0):
        return wait_until(lambda: next(iter(self.windows(cls=cls, title=title, visible=True)),
                                       None),
                          timeout=timeout, what=f"window class={cls!r} title={title!r}")

    def wait_window_any(self, cls=None, title=None, timeout=10.0):
        """Like wait_window, hidden windows included."""
        return wait_until(lambda: next(iter(self.windows(cls=cls, title=title)), None),
                          timeout=timeout, what=f"window class={cls!r} title={title!r}")

    def wait_no_window(self, cls=None, title=None, timeout=10.0):
        wait_until(lambda: not self.windows(cls=cls, title=title, visible=True),
                   timeout=timeout, what=f"no window class={cls!r} title={title!r}")

    def combo(self, hwnd):
        """A combo box's list entries and selected index (-1 for none)."""
        return self.probe_json("combo", str(hwnd))

    def foreground(self):
        return self.probe_json("foreground")

    def menus(self):
        """Visible popup menu windows (class #32768)."""
        return self.probe_json("menus")

    def wait_menu(self, timeout=10.0):
        return wait_until(lambda: next(iter(self.menus()), None), timeout=timeout,
                          what="a popup menu")

    def wait_no_menu(self, timeout=10.0):
        wait_until(lambda: not self.menus(), timeout=timeout, what="popup menus to close")

    def gettext(self, hwnd):
        matches = [w for w in self.windows() + self.children_of_all() if w["hwnd"] == hwnd]
        return matches[0]["title"] if matches else None

    def children_of_all(self):
        found = []
        for window in self.windows():
            found += self.children(window["hwnd"])
        return found

    # --- input --------------------------------------------------------------------------------
    def keys(self, *tokens):
        """Chords ("alt+n", "down", "enter", "x") and texts (typed as Unicode) via SendInput."""
        args = []
        for token in tokens:
            if isinstance(token, Text):
                args.append("text:" + hex16(token.value))
            else:
                args.append(token)
        self.probe("keys", *args)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], check=True, capture_output=True)

    def click(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", str(x), str(y))
        time.sleep(0.05)
        if repeat == 1:
            self.xdotool("click", str(button))
        else:
            self.xdotool("click", "--repeat", str(repeat), "--delay", "120", str(button))

    def click_tray(self, kind="left"):
        assert self.icon_at, "no tray icon located: start_hopdirs() first"
        x, y = self.icon_at
        if kind == "left":
            self.click(x, y, 1)
        elif kind == "right":
            self.click(x, y, 3)
        elif kind == "double":
            self.click(x, y, 1, repeat=2)
        else:
            raise ValueError(kind)

    # --- Hopdirs ------------------------------------------------------------------------------
    def start_hopdirs(self, wait_icon=True, exe=None):
        self.hopdirs = self.spawn(exe or HOPDIRS_EXE)
        if wait_icon:
            self.icon_at = wait_until(self.icon_spot, timeout=20, what="the tray icon")
        return self.hopdirs

    def hopdirs_running(self):
        return self.hopdirs is not None and self.hopdirs.poll() is None

    def wait_hopdirs_exit(self, timeout=15.0):
        wait_until(lambda: not self.hopdirs_running(), timeout=timeout, what="Hopdirs to end")
        return self.hopdirs.returncode

    def hopdirs_windows(self):
        """Top-level windows of our Hopdirs process, by the Windows pid the probe reports."""
        return [w for w in self.windows() if w["class"].startswith("Hopdirs")]

    def tooltip_text(self):
        # Only the tip on screen now: the taskbar keeps its earlier tip windows around hidden.
        tips = [w for w in self.windows(cls="tooltips_class32", visible=True) if w["title"]]
        return [w["title"] for w in tips]

    # --- pictures -----------------------------------------------------------------------------
    def screenshot(self, name):
        path = os.path.join(SHOTS, name if name.endswith(".png") else name + ".png")
        grab("-window", "root", path)
        return path

    def grab_taskbar(self):
        """Raw RGB bytes of the taskbar strip at the bottom of the desktop."""
        width, height = SCREEN
        geometry = f"{width}x{TASKBAR_HEIGHT}+0+{height - TASKBAR_HEIGHT}"
        return grab("-window", "root", "-crop", geometry, "-depth", "8", "rgb:-")

    def icon_spot(self, strip=None):
        """Centre of our tray icon in the taskbar strip, found by its folder's pure yellow; None
        when no icon of ours is drawn."""
        strip = strip if strip is not None else self.grab_taskbar()
        width = SCREEN[0]
        xs, ys = [], []
        for y in range(TASKBAR_HEIGHT):
            row = y * width * 3
            for x in range(width // 2, width):
                i = row + x * 3
                if strip[i] == 255 and strip[i + 1] == 255 and strip[i + 2] == 0:
                    xs.append(x)
                    ys.append(y)
        if len(xs) < 10:
            return None
        return ((min(xs) + max(xs)) // 2,
                SCREEN[1] - TASKBAR_HEIGHT + (min(ys) + max(ys)) // 2)

    def icon_count(self):
        """How many separate yellow blocks (icons of ours) the tray shows."""
        strip = self.grab_taskbar()
        width = SCREEN[0]
        columns = sorted({x for y in range(TASKBAR_HEIGHT) for x in range(width // 2, width)
                          if strip[(y * width + x) * 3:(y * width + x) * 3 + 3] == b"\xff\xff\x00"})
        blocks = 0
        previous = None
        for x in columns:
            if previous is None or x - previous > 3:
                blocks += 1
            previous = x
        return blocks

    # --- registry -----------------------------------------------------------------------------
    def clear_registry(self):
        self.probe("reg-clear")

    def seed_registry(self, values):
        """values: name -> str (REG_SZ), int (REG_DWORD) or bytes (REG_BINARY)."""
        for name, value in values.items():
            if isinstance(value, bool):
                raise TypeError("store booleans as the text the program would read")
            if isinstance(value, int):
                self.probe("reg-set", name, "dword", str(value))
            elif isinstance(value, bytes):
                self.probe("reg-set", name, "binary", value.hex())
            else:
                self.probe("reg-set", name, "sz", hex16(value))

    def registry(self):
        """The values under HKCU\\Software\\Quorvane\\Hopdirs: name -> text (or int for
        REG_DWORD); None when the key does not exist."""
        raw = self.probe_json("reg-dump")
        if raw is None:
            return None
        return {name: entry["value"] for name, entry in raw.items()}

    # --- clipboard ----------------------------------------------------------------------------
    def clipboard(self):
        """The clipboard's formats: list of {"id", "name", "hex"}."""
        return self.probe_json("clip-dump")

    def clipboard_text(self):
        for entry in self.clipboard():
            if entry["id"] == 13 and entry["hex"]:  # CF_UNICODETEXT
                return bytes.fromhex(entry["hex"]).decode("utf-16-le").split("\0")[0]
        return None

    def set_clipboard(self, text=None, custom=None):
        """Replaces the clipboard: an optional text and optional {format name: bytes}."""
        args = []
        if text is not None:
            args += ["text", hex16(text)]
        for name, data in (custom or {}).items():
            args += ["custom", name, data.hex()]
        self.probe("clip-set", *args)


class Text:
    """A text for Desktop.keys, typed character by character as Unicode."""

    def __init__(self, value):
        self.value = value
