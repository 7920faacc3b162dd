#!/usr/bin/env bash
# The release a player downloads, built from the committed tree (HEAD; uncommitted changes are not
# in it):
#     dist/Tenmoru-<version>-win32.zip   one folder Tenmoru/ with Tenmoru.exe, readme.txt, LICENSE.txt
#     dist/Tenmoru-<version>.msi         the same three files as a Windows Installer package, for
#                                        administrators (scripts/make-msi.sh)
#     dist/SHA256SUMS                    the zip's and the package's SHA-256, as sha256sum writes them
# Both are byte-reproducible: the same commit gives the same bytes in any folder on any machine
# (the zip: member times from the commit's date, members sorted, fixed permissions, no extra
# fields; the package: see make-msi.sh). The package is checked before anything is written to the
# output folder: it must install exactly the zip's files, byte for byte (scripts/check-msi.sh).
# With TENMORU_SIGN_CERT and TENMORU_SIGN_KEY naming a PEM certificate and its key, Tenmoru.exe and
# the package are signed with Authenticode (SHA-256, the signing time being the commit's date) and
# timestamped by TENMORU_SIGN_TIMESTAMP_URL when that is set; without them the release is unsigned,
# and says so.
#     scripts/release.sh [--out DIR]     (default: dist)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

out="$root/dist"
case "${1:-}" in
  "") ;;
  --out) [ -n "${2:-}" ] || { echo "usage: $0 [--out DIR]" >&2; exit 2; }; out="$(realpath -m "$2")" ;;
  *) echo "usage: $0 [--out DIR]" >&2; exit 2 ;;
esac
if [ -n "${TENMORU_SIGN_CERT:-}${TENMORU_SIGN_KEY:-}" ] && { [ -z "${TENMORU_SIGN_CERT:-}" ] || [ -z "${TENMORU_SIGN_KEY:-}" ]; }; then
  echo "release: TENMORU_SIGN_CERT and TENMORU_SIGN_KEY go together" >&2
  exit 2
fi

"$root/scripts/setup.sh"

# The committed tree, checked out in a clone of its own: a later release of another commit changes
# only the files that differ, so the build there stays incremental.
commit="$(git rev-parse HEAD)"
epoch="$(git log -1 --format=%ct "$commit")"
src="$root/build/release/src"
[ -d "$src/.git" ] || git clone --quiet --no-checkout "$root" "$src"
git -C "$src" fetch --quiet "$root" "$commit"
git -C "$src" -c advice.detachedHead=false checkout --quiet --force "$commit"
git -C "$src" clean --quiet -fdx -e build/

(cd "$src" && cmake --preset windows >/dev/null && cmake --build --preset windows -j 2 --target Tenmoru >/dev/null)
version="$(awk '/#define TENMORU_VERSION_(MAJOR|MINOR|REVISION) /{v = v (v == "" ? "" : ".") $3} END{print v}' \
  "$src/resources/version.h")"
name="Tenmoru-$version-win32"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Tenmoru"
exe="$stage/Tenmoru/Tenmoru.exe"
sign=()
if [ -n "${TENMORU_SIGN_CERT:-}" ]; then
  sign=(osslsigncode sign -certs "$TENMORU_SIGN_CERT" -key "$TENMORU_SIGN_KEY" -h sha256 -n Tenmoru -time "$epoch")
  [ -z "${TENMORU_SIGN_TIMESTAMP_URL:-}" ] || sign+=(-ts "$TENMORU_SIGN_TIMESTAMP_URL")
  "${sign[@]}" -in "$src/build/windows/Tenmoru.exe" -out "$exe" >/dev/null
  signed="signed with $(openssl x509 -in "$TENMORU_SIGN_CERT" -noout -subject)"
else
  cp "$src/build/windows/Tenmoru.exe" "$exe"
  signed="UNSIGNED: set TENMORU_SIGN_CERT and TENMORU_SIGN_KEY to sign Tenmoru.exe and the package"
fi
# For Notepad on Windows 7: UTF-8 with a byte-order mark, and CR LF line ends.
{ printf '\357\273\277'; sed "s/@VERSION@/$version/g" "$src/resources/readme.txt"; } | sed 's/$/\r/' \
  >"$stage/Tenmoru/readme.txt"
sed 's/$/\r/' "$src/LICENSE" >"$stage/Tenmoru/LICENSE.txt"

chmod 755 "$stage/Tenmoru" && chmod 644 "$stage/Tenmoru"/*
touch -d "@$epoch" "$stage/Tenmoru" "$stage/Tenmoru"/*

# The package for administrators, made by the committed tree's own script; signed like the program.
msi="Tenmoru-$version.msi"
"$src/scripts/make-msi.sh" "$stage/Tenmoru" "$stage/$msi" >/dev/null
if [ "${#sign[@]}" -gt 0 ]; then
  "${sign[@]}" -in "$stage/$msi" -out "$stage/signed.msi" >/dev/null
  mv "$stage/signed.msi" "$stage/$msi"
fi
"$src/scripts/check-msi.sh" "$stage/$msi" "$stage/Tenmoru" ||
  { echo "release: $msi does not install the release's files; nothing written to $out" >&2; exit 1; }

mkdir -p "$out"
rm -f "$out/$name.zip" "$out/$msi"
# Member names are ASCII: the zip folder of Windows 7 reads them in the OEM code page.
(cd "$stage" && find Tenmoru -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D "$out/$name.zip" -@)
strip-nondeterminism -t zip -T "$epoch" "$out/$name.zip" >/dev/null
cp "$stage/$msi" "$out/$msi"
(cd "$out" && sha256sum "$name.zip" "$msi" >SHA256SUMS)

echo "release: $out/$name.zip and $out/$msi from commit ${commit:0:12}, $signed"
cat "$out/SHA256SUMS"
