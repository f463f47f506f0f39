#!/usr/bin/env bash
# Runs Hopdirs under Wine until Ctrl+C.
#  - With DISPLAY set: on that display, in your own Wine prefix (WINEPREFIX or ~/.wine), so your
#    list persists like any Windows program's; Ctrl+C ends Hopdirs only.
#  - Without DISPLAY: in a Wine virtual desktop on an Xvfb of its own, with a prefix kept in
#    build/run (your list survives runs); a screenshot is taken once the icon is up. Ctrl+C stops
#    Hopdirs, that prefix's Wine and the Xvfb, and nothing else.
set -uo pipefail
cd "$(dirname "$0")/.."
exe=$PWD/build/win/Hopdirs.exe
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
  wine "$exe" &
  pid=$!
  trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 0' INT TERM
  echo "Hopdirs runs on $DISPLAY (pid $pid): click its icon in your notification area. Ctrl+C stops it."
  wait "$pid"
  exit 0
fi

source scripts/wine_env.sh
root=$PWD/build/run
mkdir -p "$root"
hop_wine_up "$root"
stop() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  hop_wine_down
  exit 0
}
trap stop INT TERM
wine "$exe" >/dev/null 2>&1 &
pid=$!
shot=$root/hopdirs-running.png
HOP_BUILD=$PWD/build/win python3 - "$shot" <<'PY'
import subprocess, sys
sys.path.insert(0, "tests/e2e")
from harness import Desktop, wait_until
d = Desktop()
at = wait_until(d.icon_spot, timeout=30, what="the tray icon")
subprocess.run(["import", "-window", "root", sys.argv[1]], check=True)
print(f"Hopdirs is running in a Wine virtual desktop on Xvfb {__import__('os').environ['DISPLAY']}; "
      f"its tray icon is at {at[0]},{at[1]} of the 1024x768 desktop.")
print(f"Screenshot: {sys.argv[1]}")
print("Drive it with e.g.: DISPLAY=" + __import__('os').environ['DISPLAY'] +
      f" xdotool mousemove {at[0]} {at[1]} click 3")
PY
echo "Ctrl+C stops it."
wait "$pid"
stop
