#!/usr/bin/env python3
"""Writes the package managers' manifests for a release beside its files in dist/:
winget's multi-file manifest (version, installer and default-locale files) for the setup, and a
Scoop manifest for the portable zip. Everything comes from the version and the built files; the
download addresses from the release address that scripts/dist.sh sets.

    manifests.py <version> <release address> <setup> <portable zip>
"""
import hashlib
import json
import os
import sys

IDENTIFIER = "Quorvane.Hopdirs"
# The winget manifest schema the files follow.
WINGET_SCHEMA = "1.12.0"
PUBLISHER = "Quorvane"
LICENSE = "MIT"
SUMMARY = "Makes the open file dialog jump to a favourite folder or file, from the tray icon or Ctrl+G."


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def yaml_text(kind, fields):
    """One manifest file: a schema line, then the fields. Values are JSON strings, which YAML
    reads as they are (a release address or a description may hold ':' or '#')."""
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json", ""]

    def emit(value, indent, key_prefix):
        if isinstance(value, dict):
            first = True
            for key, item in value.items():
                prefix = key_prefix if first else " " * len(key_prefix)
                first = False
                if isinstance(item, (dict, list)):
                    lines.append(f"{' ' * indent}{prefix}{key}:")
                    emit(item, indent + 2, "")
                else:
                    lines.append(f"{' ' * indent}{prefix}{key}: {json.dumps(item)}")
        else:
            for item in value:
                if isinstance(item, dict):
                    emit(item, indent, "- ")
                else:
                    lines.append(f"{' ' * indent}- {json.dumps(item)}")

    emit(fields, 0, "")
    return "\n".join(lines) + "\n"


def winget(version, release, setup):
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    tail = {"ManifestVersion": WINGET_SCHEMA}
    return {
        f"{IDENTIFIER}.yaml": yaml_text("version", {
            **common, "DefaultLocale": "en-US", "ManifestType": "version", **tail}),
        f"{IDENTIFIER}.installer.yaml": yaml_text("installer", {
            **common,
            "InstallerType": "nullsoft",
            "Scope": "user",
            "InstallModes": ["interactive", "silent", "silentWithProgress"],
            "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
            "UpgradeBehavior": "install",
            "MinimumOSVersion": "10.0.0.0",
            "Installers": [{
                "Architecture": "x64",
                "InstallerUrl": f"{release}/{os.path.basename(setup)}",
                "InstallerSha256": sha256(setup).upper(),
            }],
            "ManifestType": "installer", **tail}),
        f"{IDENTIFIER}.locale.en-US.yaml": yaml_text("defaultLocale", {
            **common,
            "PackageLocale": "en-US",
            "Publisher": PUBLISHER,
            "PackageName": "Hopdirs",
            "License": LICENSE,
            "ShortDescription": SUMMARY,
            "Moniker": "hopdirs",
            "Tags": ["file-dialog", "favorites", "folders", "tray"],
            "ManifestType": "defaultLocale", **tail}),
    }


def scoop(version, release, portable):
    return {
        "version": version,
        "description": SUMMARY,
        "homepage": release.split("/releases/")[0],
        "license": LICENSE,
        "url": f"{release}/{os.path.basename(portable)}",
        "hash": sha256(portable),
        "bin": "Hopdirs.exe",
        "shortcuts": [["Hopdirs.exe", "Hopdirs"]],
    }


def main(version, release, setup, portable):
    out = os.path.dirname(setup)
    folder = os.path.join(out, "winget")
    os.makedirs(folder, exist_ok=True)
    for name, text in winget(version, release, setup).items():
        with open(os.path.join(folder, name), "w", newline="\n") as file:
            file.write(text)
    with open(os.path.join(out, "hopdirs.json"), "w", newline="\n") as file:
        json.dump(scoop(version, release, portable), file, indent=4)
        file.write("\n")


if __name__ == "__main__":
    main(*sys.argv[1:5])
