#!/usr/bin/env python3
"""Checks the package managers' manifests that make dist writes: they parse, carry the fields the
package managers require, name this version, and their hashes and addresses are those of the
setup and the zip beside them. Prints each fault; exits 1 when there is one."""
import hashlib
import json
import os
import re
import sys
import zipfile

import yaml

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DIST = os.path.join(ROOT, "dist")
ID = "Quorvane.Hopdirs"
COMMON = ("PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion")
# Each winget file: its type and the fields its schema requires.
WINGET = {
    f"{ID}.yaml": ("version", COMMON + ("DefaultLocale",)),
    f"{ID}.installer.yaml": ("installer", COMMON + ("Installers",)),
    f"{ID}.locale.en-US.yaml": ("defaultLocale", COMMON + (
        "PackageLocale", "Publisher", "PackageName", "License", "ShortDescription")),
}

faults = []


def expect(condition, what):
    if not condition:
        faults.append(what)


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def shown_version():
    major, minor, _, revision = open(os.path.join(ROOT, "VERSION")).read().strip().split(".")
    return f"{int(major)}.{int(minor)}.{int(revision):04d}"


def check_winget(version, setup):
    files = {}
    for name, (kind, required) in WINGET.items():
        with open(os.path.join(DIST, "winget", name), encoding="utf-8") as file:
            files[name] = manifest = yaml.safe_load(file)
        missing = [field for field in required if not manifest.get(field)]
        expect(not missing, f"{name}: missing {missing}")
        expect(manifest.get("ManifestType") == kind, f"{name}: ManifestType is not {kind}")
        expect(manifest.get("PackageIdentifier") == ID, f"{name}: another identifier")
        expect(manifest.get("PackageVersion") == version, f"{name}: not version {version}")
        expect(re.fullmatch(r"\d+\.\d+\.\d+", str(manifest.get("ManifestVersion"))),
               f"{name}: ManifestVersion is not a schema version")
    expect(len({m.get("ManifestVersion") for m in files.values()}) == 1, "schema versions differ")
    installer = files[f"{ID}.installer.yaml"]
    expect(installer.get("InstallerType") == "nullsoft", "installer: not nullsoft")
    expect(installer.get("Scope") == "user", "installer: scope is not user")
    expect(installer.get("InstallerSwitches", {}).get("Silent") == "/S", "installer: no /S")
    entries = installer.get("Installers") or [{}]
    expect(len(entries) == 1, "installer: one installer expected")
    entry = entries[0]
    expect(entry.get("Architecture") == "x64", "installer: not x64")
    expect(str(entry.get("InstallerUrl", "")).startswith("https://")
           and entry["InstallerUrl"].endswith("/" + os.path.basename(setup)),
           "installer: the address is not the setup's")
    expect(str(entry.get("InstallerSha256", "")).lower() == sha256(setup),
           "installer: InstallerSha256 is not the setup's")


def check_scoop(version, portable):
    with open(os.path.join(DIST, "hopdirs.json"), encoding="utf-8") as file:
        manifest = json.load(file)
    missing = [f for f in ("version", "url", "hash", "bin", "shortcuts") if not manifest.get(f)]
    expect(not missing, f"scoop: missing {missing}")
    expect(manifest.get("version") == version, f"scoop: not version {version}")
    expect(str(manifest.get("url", "")).endswith("/" + os.path.basename(portable)),
           "scoop: the address is not the zip's")
    expect(manifest.get("hash") == sha256(portable), "scoop: hash is not the zip's")
    with zipfile.ZipFile(portable) as archive:
        expect(manifest.get("bin") in archive.namelist(), "scoop: bin is not in the zip")
    shortcuts = manifest.get("shortcuts") or [[]]
    expect(shortcuts[0][:1] == [manifest.get("bin")], "scoop: the shortcut is not the program")


def main():
    version = shown_version()
    setup = os.path.join(DIST, f"Hopdirs-{version}-setup.exe")
    portable = os.path.join(DIST, f"Hopdirs-{version}-portable.zip")
    try:
        check_winget(version, setup)
        check_scoop(version, portable)
    except (OSError, yaml.YAMLError, ValueError, AttributeError, TypeError) as error:
        faults.append(f"unreadable: {error}")
    for fault in faults:
        print("manifests:", fault)
    print("manifests:", "passed" if not faults else f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
