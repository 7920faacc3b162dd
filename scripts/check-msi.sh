#!/usr/bin/env bash
# check-msi.sh PACKAGE FOLDER: fails (exit 1) unless the Windows Installer package installs exactly
# FOLDER's Tenmoru.exe, readme.txt and LICENSE.txt into Program Files\Tenmoru, each byte for byte
# as it is in FOLDER, and nothing else: no custom action, registry value, service, INI entry,
# environment variable, folder or file of its own besides (its shortcut and its uninstall entry are
# Windows Installer's). The release runs it on its package before publishing it.
# The one custom action allowed is of type 51, which sets a property and runs no code, and only one
# that sets ARPINSTALLLOCATION to [INSTALLDIR] (the uninstall entry's InstallLocation); any other
# row in CustomAction, and any row in Binary, fails.
# Tenmoru.exe's row in the File table must carry the program's file version (resources/version.h's
# major, minor and revision, and 0, as its VERSIONINFO has it) and language (1041), and MsiFileHash
# no row for it: Windows Installer then replaces or repairs it by its version, as a versioned file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ "$#" -eq 2 ] || { echo "usage: $0 PACKAGE FOLDER" >&2; exit 2; }
package="$(realpath -m "$1")"
folder="$(realpath -m "$2")"
x="$(mktemp -d)"
trap 'rm -rf "$x"' EXIT

said="$(msiextract -C "$x" "$package" 2>&1 >/dev/null)" || { echo "check-msi: $package cannot be unpacked: $said"; exit 1; }
held="$(cd "$x" && find . -type f | LC_ALL=C sort | tr '\n' ' ')"
expected="./Program Files/Tenmoru/LICENSE.txt ./Program Files/Tenmoru/Tenmoru.exe ./Program Files/Tenmoru/readme.txt "
[ "$held" = "$expected" ] || { echo "check-msi: $package holds $held"; exit 1; }
for f in Tenmoru.exe readme.txt LICENSE.txt; do
  cmp -s "$folder/$f" "$x/Program Files/Tenmoru/$f" || { echo "check-msi: $f in $package is not $folder/$f"; exit 1; }
done
# msiinfo export writes the streams of a table such as Binary into a folder of that name in the
# current folder: it reads the tables from the temporary one.
cd "$x"
tables="$(msiinfo tables "$package")"
if grep -qx CustomAction <<<"$tables"; then
  others="$(msiinfo export "$package" CustomAction | tail -n +4 | tr -d '\r' |
    awk -F'\t' '!($2 == "51" && $3 == "ARPINSTALLLOCATION" && $4 == "[INSTALLDIR]" && $5 == "") { print $1 " (type " $2 ")" }')"
  [ -z "$others" ] || { echo "check-msi: $package has the custom actions $others"; exit 1; }
fi
for table in Binary Registry IniFile ServiceInstall ServiceControl Environment CreateFolder \
  RemoveFile DuplicateFile MoveFile Class Extension TypeLib PublishComponent; do
  grep -qx "$table" <<<"$tables" || continue
  rows="$(msiinfo export "$package" "$table" | tail -n +4 | grep -c . || true)"
  [ "$rows" -eq 0 ] || { echo "check-msi: $package has $rows rows in its $table table"; exit 1; }
done
version="$(awk '/#define TENMORU_VERSION_(MAJOR|MINOR|REVISION) /{v = v $3 "."} END{print v "0"}' "$root/resources/version.h")"
row="$(msiinfo export "$package" File | tr -d '\r' | awk -F'\t' '$1 == "Tenmoru.exe" { print "Version " $5 ", Language " $6 }')"
[ "$row" = "Version $version, Language 1041" ] || { echo "check-msi: Tenmoru.exe in $package has $row"; exit 1; }
if grep -qx MsiFileHash <<<"$tables"; then
  hashed="$(msiinfo export "$package" MsiFileHash | awk -F'\t' '$1 == "Tenmoru.exe"')"
  [ -z "$hashed" ] || { echo "check-msi: $package has a file hash for Tenmoru.exe, which is versioned"; exit 1; }
fi
