#!/usr/bin/env bash
# Runs every benchmark in a Wine desktop of its own and prints their numbers: each bench/bench_*.py
# (driving the programs as the end-to-end tests do) and each build/win/bench/bench_*.exe that is a
# console program printing its own numbers.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine_env.sh
root=$(mktemp -d /tmp/hopdirs-bench.XXXXXX)
trap 'hop_wine_down; rm -rf "$root"' EXIT
hop_wine_up "$root"
export HOP_BUILD=$PWD/build/win HOP_SHOTS=$root/shots
status=0
for script in bench/bench_*.py; do
  echo "== $(basename "$script" .py)"
  python3 "$script" || status=1
done
for exe in build/win/bench/bench_*.exe; do
  case "$exe" in *bench_minimal.exe) continue ;; esac
  echo "== $(basename "$exe" .exe)"
  wine "$exe" </dev/null || status=1
done
exit $status
