"""Runs one scenario function of an end-to-end file: run.py FILE FUNCTION."""
import importlib.util
import os
import sys
import traceback

path, function = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
found = importlib.util.spec_from_file_location(os.path.basename(path)[:-3], path)
module = importlib.util.module_from_spec(found)
found.loader.exec_module(module)
from harness import Skip  # noqa: E402

try:
    getattr(module, function)()
except Skip as reason:
    print(f"{function}: skipped: {reason}")
    sys.exit(77)
except Exception:
    traceback.print_exc()
    print(f"{function}: 0 passed, 1 failed")
    sys.exit(1)
print(f"{function}: 1 passed, 0 failed")
