#!/usr/bin/env bash
# The Windows Installer package, built from installer/tenmoru.wxs by wixl; the one way a package is
# made, for the release and for the installer test alike:
#     scripts/make-msi.sh [--version X.Y.Z] FOLDER OUT.msi
# FOLDER holds Tenmoru.exe, readme.txt and LICENSE.txt, packed as they are. The version is
# resources/version.h's unless given (the installer test builds a newer one to upgrade to).
#
# What wixl 0.101 leaves undone is done here with msibuild:
#   - the database's code page, 932, so that its Japanese texts reach Windows intact (wixl writes a
#     neutral database and drops every text it cannot write in the build machine's code page);
#   - the Japanese texts: the message refusing an older version, the comment in Programs and
#     Features and the shortcut's tooltip;
#   - the summary's language (1041, where wixl writes 1033) and its package code;
#   - Tenmoru.exe's version and language in the File table, as its VERSIONINFO gives them
#     (resources/tenmoru.rc's FILEVERSION and Translation, with resources/version.h's numbers),
#     and no MsiFileHash row for it. wixl reads no version from the file and ignores
#     File/@DefaultVersion and @DefaultLanguage, so it packs every file as unversioned, with a
#     hash; Windows Installer would then decide a repair or an upgrade of the program by hashes
#     and dates, not versions, and inventory tools would read no version. A file's hash row is for
#     unversioned files only. The File row keeps the file's own version whatever --version says:
#     that one is the package's.
# The summary's own strings stay ASCII: libmsi writes them as UTF-8 whatever code page they claim.
#
# Reproducible: the same commit and files give the same bytes, in any folder, at any time.
#   - ProductCode: a name-based UUID of the UpgradeCode and the version (one per version, as a
#     major upgrade wants);
#   - package code: a name-based UUID of the version, the commit and the packed files' SHA-256
#     (different contents never share one, a signed and an unsigned Tenmoru.exe included);
#   - the summary's creation and save times: wixl takes them from the clock and reads no
#     SOURCE_DATE_EPOCH, so it runs under faketime at the commit's date;
#   - the cabinet's file times: the files' own, set to the commit's date (in UTC).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
usage() { echo "usage: $0 [--version X.Y.Z] FOLDER OUT.msi" >&2; exit 2; }

version=""
if [ "${1:-}" = --version ]; then
  [ -n "${2:-}" ] || usage
  version="$2"
  shift 2
fi
[ "$#" -eq 2 ] || usage
folder="$(realpath "$1")"
out="$(realpath -m "$2")"
files=(Tenmoru.exe readme.txt LICENSE.txt)
for f in "${files[@]}"; do
  [ -f "$folder/$f" ] || { echo "make-msi: $folder/$f is missing" >&2; exit 1; }
done
[ -n "$version" ] || version="$(awk '/#define TENMORU_VERSION_(MAJOR|MINOR|REVISION) /{v = v (v == "" ? "" : ".") $3} END{print v}' \
  "$root/resources/version.h")"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-msi: bad version '$version'" >&2; exit 2; }
# The VERSIONINFO's FILEVERSION, its names replaced by version.h's numbers, and the language of its
# Translation (0x0411 is 1041).
read -r file_version file_language < <(awk '
  FNR == NR { if ($1 == "#define") number[$2] = $3; next }
  { sub(/\r$/, "") }
  $1 == "FILEVERSION" { sub(/^[ \t]*FILEVERSION[ \t]*/, ""); n = split($0, part, /[ \t]*,[ \t]*/)
                        for (i = 1; i <= n; i++) v = v (i > 1 ? "." : "") (part[i] in number ? number[part[i]] : part[i]) }
  $2 == "\"Translation\"," { sub(/,$/, "", $3); language = $3 }
  END { print v, language }' "$root/resources/version.h" "$root/resources/tenmoru.rc")
if ! [[ "$file_version" =~ ^[0-9]+(\.[0-9]+){3}$ ]] || ! [[ "$file_language" =~ ^0x[0-9A-Fa-f]{4}$ ]]; then
  echo "make-msi: no FILEVERSION or Translation in resources/tenmoru.rc" >&2
  exit 1
fi
file_language=$((file_language))

wxs="$root/installer/tenmoru.wxs"
commit="$(git -C "$root" rev-parse HEAD)"
epoch="$(git -C "$root" log -1 --format=%ct HEAD)"
upgrade_code="$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$wxs")"
name_uuid() { python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$@"; }
product_code="$(name_uuid "$upgrade_code" "ProductCode $version")"
package_code="$(name_uuid "$upgrade_code" "Package $version $commit $(cd "$folder" && sha256sum "${files[@]}" | tr '\n' ' ')")"

# libmsi converts texts by the locale's code page where the database has none: make it the same
# everywhere.
export LC_ALL=C.UTF-8 TZ=UTC
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
# wixl finds the files it packs only by names relative to the folder it runs in.
cp "${files[@]/#/$folder/}" "$root/resources/tenmoru.ico" "$wxs" "$stage/"
touch -d "@$epoch" "$stage"/*
(
  cd "$stage"
  # NO_FAKE_STAT: faketime would move the files' times too, by how far the clock is moved.
  NO_FAKE_STAT=1 faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" \
    wixl --arch x86 -D Version="$version" -D ProductCode="$product_code" -o package.msi tenmoru.wxs >wixl.log 2>&1 ||
    { cat wixl.log >&2; echo "make-msi: wixl failed" >&2; exit 1; }
  printf '\r\n\r\n932\t_ForceCodepage\r\n' >_ForceCodepage.idt
  msibuild package.msi -i _ForceCodepage.idt \
    -q "UPDATE \`LaunchCondition\` SET \`Description\` = '新しいバージョンの Tenmoru がすでにインストールされています。このバージョンをインストールするには、先に Tenmoru を削除してください。' WHERE \`Condition\` = 'NOT WIX_DOWNGRADE_DETECTED'" \
    -q "INSERT INTO \`Property\` (\`Property\`, \`Value\`) VALUES ('ARPCOMMENTS', '1 から 10 までの数をあてるゲーム')" \
    -q "UPDATE \`Shortcut\` SET \`Description\` = '数あてゲーム' WHERE \`Shortcut\` = 'StartMenuShortcut'" \
    -q "UPDATE \`File\` SET \`Version\` = '$file_version', \`Language\` = '$file_language' WHERE \`File\` = 'Tenmoru.exe'" \
    -q "DELETE FROM \`MsiFileHash\` WHERE \`File_\` = 'Tenmoru.exe'" \
    -s Tenmoru "Tenmoru developers" "Intel;1041" "{$package_code}"
)
msi="$stage/package.msi"

# msibuild says nothing when an update finds no row: read back what was set.
check() {
  local text
  text="$(msiinfo "$3" "$msi" ${4:+"$4"} | tr -d '\0')"
  grep -qF -- "$2" <<<"$text" || { echo "make-msi: $1 not set" >&2; exit 1; }
}
check "the database code page" 932 export _ForceCodepage
check "the downgrade message" "$(printf 'NOT WIX_DOWNGRADE_DETECTED\t新しいバージョン')" export LaunchCondition
check "the comment in Programs and Features" "$(printf 'ARPCOMMENTS\t1 から 10')" export Property
check "the shortcut's tooltip" "$(printf '\t数あてゲーム\t')" export Shortcut
check "Tenmoru.exe's version and language" "$(printf 'Tenmoru.exe\tProgram\tTenmoru.exe\t%s\t%s\t%s\t' \
  "$(stat -c %s "$folder/Tenmoru.exe")" "$file_version" "$file_language")" export File
check "the summary's language" "Template: Intel;1041" suminfo
check "the package code" "{$package_code}" suminfo
mv "$msi" "$out"
echo "make-msi: $out (Tenmoru $version, ProductCode {$product_code}, package code {$package_code})"
