#!/usr/bin/env bash
# A headless tour after make build: a throwaway Wine prefix with a virtual desktop, Hopdirs with
# demo paths, an open file dialog, a path chosen from the tray menu, screenshots and timings.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine_env.sh
root=$(mktemp -d /tmp/hopdirs-demo.XXXXXX)
trap 'hop_wine_down; rm -rf "$root/prefix"' EXIT  # keep the screenshots only
echo "Preparing a throwaway Wine prefix in $root (about 15 s)..."
hop_wine_up "$root"
export HOP_BUILD=$PWD/build/win HOP_SHOTS=$root/shots
python3 scripts/demo.py
