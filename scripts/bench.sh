#!/usr/bin/env bash
# Runs every benchmark of the Windows build under Wine, in a prefix and Xvfb of its own, and
# prints their numbers.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine_env.sh

root=$(mktemp -d /tmp/hopdirs-bench.XXXXXX)
trap 'hop_wine_down; rm -rf "$root"' EXIT
hop_wine_up "$root"
for exe in build/win/bench/*.exe; do
  echo "== $(basename "$exe" .exe)"
  wine "$exe"
done
