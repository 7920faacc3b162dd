#!/usr/bin/env bash
# check-release.sh BUILT_EXE: makes the release twice into a temporary folder, unsigned and signed
# with a throwaway self-signed code-signing certificate, and fails (exit 1) unless
#   - the zip holds Tenmoru/Tenmoru.exe, Tenmoru/LICENSE.txt and Tenmoru/readme.txt and nothing else;
#   - readme.txt and LICENSE.txt are UTF-8 with CR LF line ends, readme.txt with a byte-order mark;
#   - SHA256SUMS names the zip with its right SHA-256;
#   - the unsigned zip's Tenmoru.exe is BUILT_EXE byte for byte (skipped, exit 77, when the work
#     tree differs from the last commit, which is what the release builds);
#   - the signed Tenmoru.exe verifies against that certificate, and a copy with one byte changed
#     does not.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
built="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "check-release: $*"; failures=$((failures + 1)); }

# Every member of the zip, and what the checks need of the release in folder $1.
check_zip() {
  local dir="$1" zip members
  zip="$(ls "$dir"/*.zip)"
  members="$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')"
  [ "$members" = "Tenmoru/LICENSE.txt Tenmoru/Tenmoru.exe Tenmoru/readme.txt " ] || fail "zip members: $members"
  (cd "$dir" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the zip"
  mkdir -p "$dir/x" && unzip -q "$zip" -d "$dir/x"
  [ "$(head -c 3 "$dir/x/Tenmoru/readme.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "readme.txt has no BOM"
  for text in readme.txt LICENSE.txt; do
    local lines crlf
    lines="$(grep -c '' "$dir/x/Tenmoru/$text")"
    crlf="$(grep -c $'\r$' "$dir/x/Tenmoru/$text" || true)"
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "$text: $crlf of $lines lines end in CR LF"
    iconv -f UTF-8 -t UTF-8 "$dir/x/Tenmoru/$text" >/dev/null || fail "$text is not UTF-8"
  done
}

said="$(env -u TENMORU_SIGN_CERT -u TENMORU_SIGN_KEY "$root/scripts/release.sh" --out "$work/unsigned")"
grep -q UNSIGNED <<<"$said" || fail "an unsigned release does not say that it is unsigned"
check_zip "$work/unsigned"

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
size="$(stat -c %s "$work/tampered.exe")"
printf '\x5a' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc status=none
if cmp -s "$signed" "$work/tampered.exe"; then printf '\xa5' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc status=none; fi
if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.exe" >/dev/null 2>&1; then
  fail "a copy with one byte changed still verifies"
fi

[ "$failures" -eq 0 ] || exit 1
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "check-release: the work tree differs from the last commit: the build's byte-for-byte match is not checked"
  exit 77
fi
cmp "$work/unsigned/x/Tenmoru/Tenmoru.exe" "$built" || { echo "check-release: the release's Tenmoru.exe is not the build's"; exit 1; }
echo "check-release: the release's Tenmoru.exe is the build's byte for byte"
