#!/usr/bin/env bash
# Installs the Debian packages Hopdirs needs to build, run and test, when they are missing.
set -euo pipefail

packages=(cmake ninja-build g++ make python3 python3-yaml googletest clang-format
          g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils nsis)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Hopdirs needs these Debian packages. As root, run:" >&2
  echo "  apt-get update && $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive $line >/dev/null
