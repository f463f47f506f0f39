#!/usr/bin/env bash
# Builds the release files into dist/ from build/win/Hopdirs.exe: the setup (NSIS) and a portable
# zip, named after the version in VERSION, then prints and writes their SHA-256 sums, and writes
# the package managers' manifests for them (winget/ and hopdirs.json, see scripts/manifests.py).
set -euo pipefail
cd "$(dirname "$0")/.."

exe=build/win/Hopdirs.exe
[ -f "$exe" ] || { echo "dist: $exe is missing; run make build first" >&2; exit 1; }
command -v makensis >/dev/null ||
  { echo "dist: makensis is missing (Debian package nsis)" >&2; exit 1; }

# VERSION holds major.minor.build.revision; the shown form is major.minor and the revision in
# four digits (1.21.0.2 is 1.21.0002), the build number staying 0.
IFS=. read -r major minor build revision <VERSION
[[ "$major.$minor.$build.$revision" =~ ^[0-9]+\.[0-9]+\.0\.[0-9]+$ ]] ||
  { echo "dist: VERSION must read major.minor.0.revision, not '$(cat VERSION)'" >&2; exit 1; }
shown=$(printf '%d.%d.%04d' "$major" "$minor" "$revision")
numeric="$major.$minor.$build.$revision"

# Where a release's files are downloaded from: the one place the manifests' addresses come from.
release="${HOP_RELEASE_ADDRESS:-https://github.com/Quorvane/Hopdirs/releases/download/v$shown}"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
rm -rf dist
mkdir -p dist "$stage/zip"
# Text files as Windows' Notepad expects them.
sed 's/$/\r/' README.md >"$stage/README.txt"
sed 's/$/\r/' LICENSE.txt >"$stage/LICENSE.txt"
# The setup's pictures carry the program's icon, drawn large without smoothing.
icon='src/app/hopdirs.ico[1]'
convert -size 164x314 xc:'#1f4e79' \( "$icon" -sample 300% \) -gravity north -geometry +0+48 \
  -composite -type truecolor "BMP3:$stage/welcome.bmp"
convert -size 150x57 xc:white "$icon" -gravity east -geometry +12+0 -composite -type truecolor \
  "BMP3:$stage/header.bmp"

setup="Hopdirs-$shown-setup.exe"
portable="Hopdirs-$shown-portable.zip"
makensis -V2 -WX -DVERSION="$shown" -DVERSION_NUMERIC="$numeric" -DROOT="$PWD" -DEXE="$PWD/$exe" \
  -DREADME="$stage/README.txt" -DLICENSE="$stage/LICENSE.txt" -DPICTURES="$stage" \
  -DOUTFILE="$PWD/dist/$setup" \
  installer/hopdirs.nsi

cp "$exe" "$stage/README.txt" "$stage/LICENSE.txt" "$stage/zip/"
(cd "$stage/zip" &&
  python3 -m zipfile -c "$OLDPWD/dist/$portable" Hopdirs.exe README.txt LICENSE.txt)

(cd dist && sha256sum "$setup" "$portable" >SHA256SUMS && cat SHA256SUMS)
python3 scripts/manifests.py "$shown" "$release" "dist/$setup" "dist/$portable"
echo "manifests: dist/winget/ (winget), dist/hopdirs.json (Scoop)"
