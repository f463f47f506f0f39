"""Hopdirs' start-up time (process start to tray icon drawn), private memory and exe size, beside
a minimal Win32 tray program built and run the same way (goals: ratios at most 1.2; exe under
1.5 MB)."""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import BUILD, HOPDIRS_EXE, Desktop, wait_until  # noqa: E402

MINIMAL_EXE = os.path.join(BUILD, "bench", "bench_minimal.exe")
RUNS = int(os.environ.get("HOP_BENCH_RUNS", "7"))


def private_bytes(unix_pid):
    """Private (unshared) resident memory of the process, as Linux accounts it for Wine."""
    total = 0
    with open(f"/proc/{unix_pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1]) * 1024
    return total


def one_run(exe, window_class):
    with Desktop() as d:
        start = time.monotonic()
        d.start_hopdirs(exe=exe)
        seconds = time.monotonic() - start
        time.sleep(1.0)  # settle before reading memory
        d.wait_window_any(cls=window_class)
        return seconds, private_bytes(d.hopdirs.pid)


def measure(exe, window_class):
    times, privates = [], []
    for _ in range(RUNS):
        seconds, private = one_run(exe, window_class)
        times.append(seconds)
        privates.append(private)
    return statistics.median(times), statistics.median(privates)


def main():
    one_run(MINIMAL_EXE, "MinimalMain")  # warm the desktop and the file cache
    hop_time, hop_private = measure(HOPDIRS_EXE, "HopdirsMain")
    min_time, min_private = measure(MINIMAL_EXE, "MinimalMain")
    size = os.path.getsize(HOPDIRS_EXE)
    print(f"start-up to icon, median of {RUNS}: Hopdirs {hop_time * 1000:.0f} ms, "
          f"minimal {min_time * 1000:.0f} ms, ratio {hop_time / min_time:.2f} (goal <= 1.2)")
    print(f"private memory, median of {RUNS}: Hopdirs {hop_private / 1024:.0f} KiB, "
          f"minimal {min_private / 1024:.0f} KiB, ratio {hop_private / min_private:.2f} "
          f"(goal <= 1.2)")
    print(f"Hopdirs.exe size: {size} bytes ({size / 1024 / 1024:.2f} MB; goal < 1.5 MB)")


if __name__ == "__main__":
    main()
