"""The delivery's numbers in a Wine desktop: the finder's walk against a plain walk making the
same reads (goal: ratio at most 1.1); the time from the delivery to the dialog's folder change,
median of 40 in each mode (goal: under 100 ms), beside the dialog's own time when the path is
set into its field and confirmed; and a soak of 200 deliveries in a row into one open dialog,
alternating modes, each checked against the dialog's log and the clipboard."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import BUILD, Desktop  # noqa: E402
from test_delivery import Host, folder, ROOT  # noqa: E402

BENCH = os.path.join(BUILD, "delivery_bench.exe")
SOAK = int(os.environ.get("HOP_SOAK", "200"))


def run(*args):
    result = subprocess.run(["wine", BENCH, *args], capture_output=True, timeout=600)
    sys.stdout.write(result.stdout.decode(errors="replace"))
    return result.returncode


def main():
    status = run("walk")
    a, b = folder("bench a"), folder("bench b")
    for kind in ("classic", "vista"):
        with Desktop() as d:
            Host(d, kind, "bench-" + kind)
            log = f"C:\\{ROOT}\\bench-{kind}.log"
            print(f"-- {kind} dialog")
            status |= run("latency", log, a, b)
            if kind == "classic":
                status |= run("soak", log, a, b, str(SOAK))
    return status


if __name__ == "__main__":
    sys.exit(main())
