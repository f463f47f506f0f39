#!/usr/bin/env python3
"""Checks the package managers' manifests that make dist writes: they parse, carry the fields the
package managers require, name this version, and their hashes and addresses are those of the
setup and the zip beside them. Prints each fault; exits 1 when there is one."""
import hashlib
import json
import os
import sys
import zipfile

import yaml

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DIST = os.path.join(ROOT, "dist")
COMMON = ("PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion")
# Each winget file: its type and the fields its schema requires.
WINGET = {
    "Quorvane.Hopdirs.yaml": ("version", COMMON + ("DefaultLocale",)),
    "Quorvane.Hopdirs.installer.yaml": ("installer", COMMON + ("Installers",)),
    "Quorvane.Hopdirs.locale.en-US.yaml": ("defaultLocale", COMMON + (
        "PackageLocale", "Publisher", "PackageName", "License", "ShortDescription")),
}
faults = []


def expect(condition, what):
    if not condition:
        faults.append(what)


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def downloads(url, path):
    return str(url).startswith("https://") and str(url).endswith("/" + os.path.basename(path))


def check_winget(version, setup):
    schemas, loaded = set(), {}
    for name, (kind, required) in WINGET.items():
        with open(os.path.join(DIST, "winget", name), encoding="utf-8") as file:
            manifest = loaded[kind] = yaml.safe_load(file)
        expect(all(manifest.get(field) for field in required), f"{name}: a required field is missing")
        expect(manifest.get("ManifestType") == kind, f"{name}: ManifestType is not {kind}")
        expect(manifest.get("PackageVersion") == version, f"{name}: not version {version}")
        schemas.add(manifest.get("ManifestVersion"))
    expect(len(schemas) == 1, "the files name different schema versions")
    manifest = loaded["installer"]
    expect(manifest.get("InstallerType") == "nullsoft" and manifest.get("Scope") == "user"
           and manifest["InstallerSwitches"]["Silent"] == "/S", "installer: not a silent user setup")
    [entry] = manifest["Installers"]
    expect(all(entry.get(f) for f in ("Architecture", "InstallerUrl", "InstallerSha256")),
           "installer: a required field is missing")
    expect(downloads(entry.get("InstallerUrl"), setup), "installer: the address is not the setup's")
    expect(str(entry.get("InstallerSha256")).lower() == sha256(setup), "installer: not the setup's hash")


def check_scoop(version, portable):
    with open(os.path.join(DIST, "hopdirs.json"), encoding="utf-8") as file:
        manifest = json.load(file)
    expect(manifest.get("version") == version, f"scoop: not version {version}")
    expect(downloads(manifest.get("url"), portable), "scoop: the address is not the zip's")
    expect(manifest.get("hash") == sha256(portable), "scoop: not the zip's hash")
    with zipfile.ZipFile(portable) as archive:
        expect(manifest.get("bin") in archive.namelist(), "scoop: bin is not in the zip")
    expect(manifest["shortcuts"][0][0] == manifest.get("bin"), "scoop: the shortcut is not the program")


def main():
    major, minor, _, revision = open(os.path.join(ROOT, "VERSION")).read().strip().split(".")
    version = f"{int(major)}.{int(minor)}.{int(revision):04d}"
    try:
        check_winget(version, os.path.join(DIST, f"Hopdirs-{version}-setup.exe"))
        check_scoop(version, os.path.join(DIST, f"Hopdirs-{version}-portable.zip"))
    except (OSError, yaml.YAMLError, LookupError, ValueError, AttributeError, TypeError) as error:
        faults.append(f"unreadable or incomplete: {error!r}")
    for fault in faults:
        print("manifests:", fault)
    print("manifests:", "passed" if not faults else f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
