"""A headless tour: Hopdirs with a few demo paths, an open file dialog, the tray icon clicked and
a path chosen, screenshots before and after, and the measured delivery time."""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import BUILD, Desktop, SHOTS, wait_until  # noqa: E402
from test_delivery import Host, folder  # noqa: E402


def main():
    demo = [folder("Demo projects"), folder("Demo (x86) + 50%"), "C:\\windows\\"]
    with Desktop() as d:
        d.seed_registry({"Amount": str(len(demo)), "Clipboard": "False",
                         **{f"Path{i + 1}": p for i, p in enumerate(demo)}})
        d.start_hopdirs()
        host = Host(d, "classic", "demo")
        before = d.screenshot("demo_1_dialog_open")
        d.click_tray("left")
        d.wait_menu()
        time.sleep(0.3)
        menu = d.screenshot("demo_2_path_menu")
        count = len(host.folders())
        d.keys("down", "down", "enter")  # the first path below the heading
        host.wait_folder(demo[0], count)
        time.sleep(0.3)
        after = d.screenshot("demo_3_after_delivery")
        print(f"screenshots: {before}\n             {menu}\n             {after}")
    # The delivery's own time, from the handler call to the dialog's logged folder change.
    with Desktop() as d:
        Host(d, "classic", "demo-timing")
        result = subprocess.run(["wine", os.path.join(BUILD, "delivery_bench.exe"), "latency",
                                 "C:\\hop e2e\\demo-timing.log", demo[0], demo[1]],
                                capture_output=True, timeout=300)
        print(result.stdout.decode(errors="replace").strip())
    return 0


if __name__ == "__main__":
    sys.exit(main())
