#!/usr/bin/env bash
# check-release.sh BUILT_EXE: makes the release twice into a temporary folder, unsigned and signed
# with a throwaway self-signed code-signing certificate, and fails (exit 1) unless
#   - the zip holds Tenmoru/Tenmoru.exe, Tenmoru/LICENSE.txt and Tenmoru/readme.txt and nothing else;
#   - readme.txt and LICENSE.txt are UTF-8 with CR LF line ends, readme.txt with a byte-order mark;
#   - SHA256SUMS names the zip with its right SHA-256;
#   - the unsigned zip's Tenmoru.exe is BUILT_EXE byte for byte (skipped, exit 77, when the work
#     tree differs from the last commit, which is what the release builds);
#   - the signed Tenmoru.exe verifies against that certificate, and a copy with one byte changed
#     does not;
#   - SHA256SUMS names the package Tenmoru-<version>.msi too, with its right SHA-256; the package
#     installs exactly the zip's files, byte for byte (scripts/check-msi.sh, which the release runs
#     before publishing), and that check fails on a package with a file left out and on one with a
#     broken cabinet;
#   - the same commit and files make the same package again, in another folder, later;
#   - the signed package verifies against that certificate, and a copy with a property changed
#     does not.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
built="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "check-release: $*"; failures=$((failures + 1)); }
# Changes the byte in the middle of a file.
flip_middle_byte() {
  local size
  size="$(stat -c %s "$1")"
  cp "$1" "$1.was"
  printf '\x5a' | dd of="$1" bs=1 seek=$((size / 2)) conv=notrunc status=none
  if cmp -s "$1.was" "$1"; then printf '\xa5' | dd of="$1" bs=1 seek=$((size / 2)) conv=notrunc status=none; fi
  rm -f "$1.was"
}

# Every member of the zip, and what the checks need of the release in folder $1.
check_zip() {
  local dir="$1" zip members
  zip="$(ls "$dir"/*.zip)"
  members="$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')"
  [ "$members" = "Tenmoru/LICENSE.txt Tenmoru/Tenmoru.exe Tenmoru/readme.txt " ] || fail "zip members: $members"
  listed="$(awk '{print $2}' "$dir/SHA256SUMS" | tr '\n' ' ')"
  [ "$listed" = "$(basename "$zip") $(basename "${zip%-win32.zip}").msi " ] || fail "SHA256SUMS lists $listed"
  (cd "$dir" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the zip and the package"
  mkdir -p "$dir/x" && unzip -q "$zip" -d "$dir/x"
  [ "$(head -c 3 "$dir/x/Tenmoru/readme.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "readme.txt has no BOM"
  for text in readme.txt LICENSE.txt; do
    local lines crlf
    lines="$(grep -c '' "$dir/x/Tenmoru/$text")"
    crlf="$(grep -c $'\r$' "$dir/x/Tenmoru/$text" || true)"
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "$text: $crlf of $lines lines end in CR LF"
    iconv -f UTF-8 -t UTF-8 "$dir/x/Tenmoru/$text" >/dev/null || fail "$text is not UTF-8"
  done
  "$root/scripts/check-msi.sh" "$dir"/*.msi "$dir/x/Tenmoru" || fail "the package does not install the zip's files"
}

said="$(env -u TENMORU_SIGN_CERT -u TENMORU_SIGN_KEY "$root/scripts/release.sh" --out "$work/unsigned")"
grep -q UNSIGNED <<<"$said" || fail "an unsigned release does not say that it is unsigned"
check_zip "$work/unsigned"
msi="$(ls "$work/unsigned"/*.msi)"
echo "check-release: $(basename "$msi"), $(stat -c %s "$msi") bytes, SHA-256 $(sha256sum "$msi" | cut -c1-64)"

# The package check must fail on a package with a file left out, and on one with a broken cabinet.
cp "$msi" "$work/left-out.msi"
msibuild "$work/left-out.msi" -q "DELETE FROM \`File\` WHERE \`File\` = 'readme.txt'"
if "$root/scripts/check-msi.sh" "$work/left-out.msi" "$work/unsigned/x/Tenmoru" >/dev/null; then
  fail "the package check passes a package without readme.txt"
fi
cp "$msi" "$work/broken.msi"
msiinfo extract "$msi" tenmoru.cab >"$work/broken.cab"
flip_middle_byte "$work/broken.cab"
msibuild "$work/broken.msi" -a tenmoru.cab "$work/broken.cab"
if "$root/scripts/check-msi.sh" "$work/broken.msi" "$work/unsigned/x/Tenmoru" >/dev/null; then
  fail "the package check passes a package with a broken cabinet"
fi

# The same commit and files give the same package, made in another folder, later.
mkdir "$work/again"
"$root/build/release/src/scripts/make-msi.sh" "$work/unsigned/x/Tenmoru" "$work/again/$(basename "$msi")" >/dev/null
cmp -s "$msi" "$work/again/$(basename "$msi")" || fail "the package made again from the same commit differs"

# A throwaway certificate for code signing.
openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Tenmoru test signer" \
  -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
TENMORU_SIGN_CERT="$work/cert.pem" TENMORU_SIGN_KEY="$work/key.pem" "$root/scripts/release.sh" --out "$work/signed" >/dev/null
check_zip "$work/signed"
signed="$work/signed/x/Tenmoru/Tenmoru.exe"
if osslsigncode verify -CAfile "$work/cert.pem" -in "$signed" >"$work/verify.log" 2>&1; then
  grep -E "^(Signature verification|Message digest algorithm|Signing time)" "$work/verify.log" || true
else
  fail "the signed Tenmoru.exe does not verify:" && cat "$work/verify.log"
fi
cp "$signed" "$work/tampered.exe"
flip_middle_byte "$work/tampered.exe"
if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.exe" >/dev/null 2>&1; then
  fail "a copy with one byte changed still verifies"
fi
signed_msi="$(ls "$work/signed"/*.msi)"
if osslsigncode verify -CAfile "$work/cert.pem" -in "$signed_msi" >"$work/verify-msi.log" 2>&1; then
  grep -E "^(Signature verification|Message digest algorithm|Signing time)" "$work/verify-msi.log" | sed 's/^/package: /' || true
else
  fail "the signed package does not verify:" && cat "$work/verify-msi.log"
fi
cp "$signed_msi" "$work/tampered.msi"
msibuild "$work/tampered.msi" -q "UPDATE \`Property\` SET \`Value\` = 'Someone else' WHERE \`Property\` = 'Manufacturer'"
if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.msi" >/dev/null 2>&1; then
  fail "a copy of the package with a property changed still verifies"
fi

[ "$failures" -eq 0 ] || exit 1
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "check-release: the work tree differs from the last commit: the build's byte-for-byte match is not checked"
  exit 77
fi
cmp "$work/unsigned/x/Tenmoru/Tenmoru.exe" "$built" || { echo "check-release: the release's Tenmoru.exe is not the build's"; exit 1; }
echo "check-release: the release's Tenmoru.exe is the build's byte for byte"
