#!/usr/bin/env bash
# check-installer.sh BUILT_EXE: the Windows Installer package under Wine, as an administrator's
# silent deployment uses it. Packs BUILT_EXE with readme.txt and LICENSE.txt by scripts/make-msi.sh,
# once at the version of resources/version.h and once at a higher one, and fails (exit 1) unless
#   - both packages pass scripts/check-msi.sh: the higher one too carries Tenmoru.exe's own file
#     version, not the package's;
#   - msiexec /i /qn installs the package: the three files in Program Files\Tenmoru (the 32-bit
#     one), byte for byte; one Start-menu shortcut 「Tenmoru」 to Tenmoru.exe, started in its folder,
#     with the program's icon; one entry in Programs and Features with name, version, publisher,
#     the Japanese comment, no Modify or Repair, the program's icon, and the install folder as its
#     InstallLocation;
#   - the installed Tenmoru.exe starts and shows its window, and writes no file while it runs;
#   - the higher version installs over it: one entry, the new version;
#   - the lower version is then refused (1603, the installed one left alone);
#   - msiexec /x /qn leaves no file, folder, shortcut or registry key of ours;
#   - the package installs and uninstalls under an English locale too (not only on Japanese Windows).
# It runs in a 64-bit prefix of its own, <build>/wineprefix-installer, made on first use (or again
# if a run was killed before it could clean up) and put back as it was at the end, pass or fail.
# Its programs draw on an Xvfb display of its own, started and stopped here, as plain X windows
# (the prefix has no virtual desktop): the window it waits for is then the installed program's and
# no other test's, and it needs no DISPLAY.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ "$#" -eq 1 ] || { echo "usage: $0 BUILT_EXE" >&2; exit 2; }
exe="$(realpath "$1")"
build="$(dirname "$exe")"

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$build"   # for tenmoru_start_xvfb; the prefix is this test's own:
export WINEPREFIX="$build/wineprefix-installer" WINEARCH=win64 WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko; and no menu entries or icons written into this machine's home for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
drive_c="$WINEPREFIX/drive_c"
program_dir="$drive_c/Program Files (x86)/Tenmoru"
# A per-machine shortcut belongs in the common Start menu; Wine puts it in the user's.
shortcuts() { find "$drive_c/ProgramData" "$drive_c/users" -name Tenmoru.lnk 2>/dev/null || true; }

failures=0
fail() { echo "check-installer: FAIL: $*"; failures=$((failures + 1)); }
say() { echo "check-installer: $*"; }

# --- the prefix, made once under a lock; made again if a killed run left anything of ours in it
leftovers() {
  [ -e "$program_dir" ] || [ -n "$(shortcuts)" ] || grep -qi tenmoru "$WINEPREFIX"/*.reg
}
(
  flock 9
  if [ -f "$WINEPREFIX/.ready" ] && leftovers; then
    say "the prefix holds something of Tenmoru's from a run that was stopped; making it anew"
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    rm -rf "$WINEPREFIX"
    started=$EPOCHREALTIME
    "$wine" wineboot -i </dev/null >/dev/null 2>&1 || { echo "check-installer: wineboot failed" >&2; exit 1; }
    timeout 60 wineserver -w || true
    # The installer's own cache folder, there on every Windows; Wine makes it at the first install.
    mkdir -p "$WINEPREFIX/drive_c/windows/Installer"
    touch "$WINEPREFIX/.ready"
    awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "check-installer: prefix made in %.1f s\n", b - a }'
  fi
) 9>"$build/.wineprefix-installer.lock"

# --- the packages
work="$(mktemp -d)"
server_started=""
finished=""
TENMORU_XVFB_PID=""
cleanup() {
  if [ -z "$finished" ] && [ -f "$work/new.msi" ]; then
    # Stopped half way: the prefix ends without Tenmoru all the same (msiexec /x of a product that is
    # not installed does nothing).
    for package in new old; do "$wine" msiexec /x "$(winpath "$work/$package.msi")" /qn </dev/null >/dev/null 2>&1 || true; done
    server_started=yes
  fi
  [ -z "$server_started" ] || wineserver -k 2>/dev/null || true   # WINEPREFIX is this test's own
  if [ -n "$TENMORU_XVFB_PID" ]; then
    kill "$TENMORU_XVFB_PID" 2>/dev/null || true
    wait "$TENMORU_XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
trap 'echo "check-installer: stopped by a failing command at line $LINENO" >&2' ERR
winpath() { local p="${1//\//\\}"; echo "Z:$p"; }

tenmoru_start_xvfb

mkdir "$work/files"
cp "$exe" "$work/files/Tenmoru.exe"
cp "$root/resources/readme.txt" "$work/files/readme.txt"
cp "$root/LICENSE" "$work/files/LICENSE.txt"
"$root/scripts/make-msi.sh" "$work/files" "$work/old.msi" >/dev/null
property() { msiinfo export "$1" Property | awk -F'\t' -v p="$2" '$1 == p { sub(/\r$/, "", $2); print $2 }'; }
old_version="$(property "$work/old.msi" ProductVersion)"
new_version="${old_version%.*}.$((${old_version##*.} + 1))"
"$root/scripts/make-msi.sh" --version "$new_version" "$work/files" "$work/new.msi" >/dev/null
old_code="$(property "$work/old.msi" ProductCode)"
new_code="$(property "$work/new.msi" ProductCode)"
upgrade_code="$(property "$work/old.msi" UpgradeCode)"
say "packages $old_version $old_code and $new_version $new_code"
for package in old new; do
  "$root/scripts/check-msi.sh" "$work/$package.msi" "$work/files" || fail "the $package package fails the package check"
done

# --- one wineserver for the run, with the prefix's services started detached from our output
if wineserver -p </dev/null >/dev/null 2>&1; then server_started=yes; fi
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
snapshot() { (cd "$drive_c" && find . | LC_ALL=C sort); }
snapshot >"$work/before.txt"

# Runs msiexec with a verbose log; returns its exit code (1603, a failed install, reads as 67).
runs=0
msiexec() {
  runs=$((runs + 1))
  "$wine" msiexec "$@" /l*v "$(winpath "$work/msiexec-$runs.log")" </dev/null >/dev/null 2>&1
}

# The uninstall entries whose DisplayName is Tenmoru, in both registry views: "key<TAB>name<TAB>value" lines.
uninstall_entries() {
  local view
  for view in 32 64; do
    { "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:$view 2>/dev/null || true; } |
      iconv -f CP932 -t UTF-8 | tr -d '\r' | awk '
        /^HKEY_/ { key = $0; next }
        /^    / { sub(/^    /, ""); n = index($0, "    "); name = substr($0, 1, n - 1); rest = substr($0, n + 4)
                  m = index(rest, "    "); value = m ? substr(rest, m + 4) : ""; print key "\t" name "\t" value }'
  done | awk -F'\t' '$2 == "DisplayName" && $3 == "Tenmoru" { keys[$1] = 1 } { lines[NR] = $0; k[NR] = $1 }
                     END { for (i = 1; i <= NR; i++) if (k[i] in keys) print lines[i] }'
}
entry_value() { awk -F'\t' -v n="$1" '$2 == n { print $3 }' <<<"$entries"; }

# The Shell Link's target, working folder and icon: LinkInfo's local base path and the string data.
read_shortcut() {
  python3 - "$1" <<'EOF'
import struct, sys
d = open(sys.argv[1], "rb").read()
flags, = struct.unpack_from("<I", d, 0x14)
icon_index, = struct.unpack_from("<i", d, 0x38)
pos = 0x4C
if flags & 0x1:                       # HasLinkTargetIDList
    pos += 2 + struct.unpack_from("<H", d, pos)[0]
target = ""
if flags & 0x2:                       # HasLinkInfo
    size, header, info_flags, _, base = struct.unpack_from("<IIIII", d, pos)
    if info_flags & 1:
        end = d.index(b"\0", pos + base)
        target = d[pos + base:end].decode("cp932")
    pos += size
strings = {}
for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "workdir"), (0x20, "args"), (0x40, "icon")):
    if flags & bit:
        n, = struct.unpack_from("<H", d, pos)
        wide = flags & 0x80
        text = d[pos + 2:pos + 2 + n * (2 if wide else 1)].decode("utf-16-le" if wide else "cp932")
        strings[name] = text.rstrip("\0")
        pos += 2 + n * (2 if wide else 1)
print(f"target={target}\nworkdir={strings.get('workdir', '')}\nicon={strings.get('icon', '')},{icon_index}")
EOF
}

# Everything an administrator and a player see after an install of VERSION (product CODE).
check_installed() {
  local version="$1" code="$2" f held shortcut icon
  held="$(cd "$program_dir" 2>/dev/null && find . | LC_ALL=C sort | tr '\n' ' ' || true)"
  [ "$held" = ". ./LICENSE.txt ./Tenmoru.exe ./readme.txt " ] || fail "Program Files (x86)\\Tenmoru holds: $held"
  for f in Tenmoru.exe readme.txt LICENSE.txt; do
    cmp -s "$work/files/$f" "$program_dir/$f" || fail "the installed $f is not the packed one"
  done
  mapfile -t lnks < <(shortcuts)
  if [ "${#lnks[@]}" -ne 1 ]; then
    fail "${#lnks[@]} Start-menu shortcuts named Tenmoru"
  else
    shortcut="$(read_shortcut "${lnks[0]}" || true)"
    [ "$(sed -n 's/^target=//p' <<<"$shortcut")" = 'C:\Program Files (x86)\Tenmoru\Tenmoru.exe' ] ||
      fail "shortcut target: $(sed -n 's/^target=//p' <<<"$shortcut")"
    [ "$(sed -n 's/^workdir=//p' <<<"$shortcut")" = 'C:\Program Files (x86)\Tenmoru\' ] ||
      fail "shortcut working folder: $(sed -n 's/^workdir=//p' <<<"$shortcut")"
    icon="$(sed -n 's/^icon=//p' <<<"$shortcut")"
    [ "$icon" = "C:\\windows\\Installer\\$code\\tenmoru.ico,0" ] || fail "shortcut icon: $icon"
  fi
  entries="$(uninstall_entries)"
  [ "$(cut -f1 <<<"$entries" | sort -u | grep -c .)" = 1 ] || fail "uninstall entries: $(cut -f1 <<<"$entries" | sort -u | tr '\n' ' ')"
  [[ "$(head -n 1 <<<"$entries" | cut -f1)" == *"\\$code" ]] || fail "the uninstall entry is not under the ProductCode"
  [ "$(entry_value DisplayVersion)" = "$version" ] || fail "DisplayVersion $(entry_value DisplayVersion)"
  [ "$(entry_value Publisher)" = "Tenmoru developers" ] || fail "Publisher $(entry_value Publisher)"
  [ "$(entry_value Comments)" = "1 から 10 までの数をあてるゲーム" ] || fail "Comments $(entry_value Comments)"
  [ "$(entry_value NoModify)" = 0x1 ] || fail "NoModify $(entry_value NoModify)"
  [ "$(entry_value NoRepair)" = 0x1 ] || fail "NoRepair $(entry_value NoRepair)"
  [ "$(entry_value InstallLocation)" = 'C:\Program Files (x86)\Tenmoru\' ] || fail "InstallLocation '$(entry_value InstallLocation)'"
  # Programs and Features takes an installed package's icon from its ProductIcon (ARPPRODUCTICON).
  icon="$("$wine" reg query "HKLM\\Software\\Classes\\Installer\\Products\\$(packed "$code")" /v ProductIcon 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p' || true)"
  [ "$icon" = "C:\\windows\\Installer\\$code\\tenmoru.ico" ] || fail "ProductIcon '$icon'"
  cmp -s "$root/resources/tenmoru.ico" "$drive_c/windows/Installer/$code/tenmoru.ico" || fail "the icon is not tenmoru.ico"
}
# A GUID as Windows Installer writes it into registry key names.
packed() {
  local g="${1//[\{\}-]/}" out i
  out="$(rev <<<"${g:0:8}")$(rev <<<"${g:8:4}")$(rev <<<"${g:12:4}")"
  for ((i = 16; i < 32; i += 2)); do out+="${g:i+1:1}${g:i:1}"; done
  echo "$out"
}
tenmoru_windows() { xwininfo -root -tree | grep -F '"Tenmoru": ("tenmoru.exe"' || true; }

# --- install
rc=0; msiexec /i "$(winpath "$work/old.msi")" /qn || rc=$?
[ "$rc" -eq 0 ] || fail "msiexec /i $old_version exited $rc"
check_installed "$old_version" "$old_code"
say "installed $old_version: $(LC_ALL=C find "$program_dir" -type f -printf '%f ' 2>/dev/null)| shortcut $(read_shortcut "${lnks[0]:-/dev/null}" 2>/dev/null | tr '\n' ' ')"
say "uninstall entry: $(cut -f2,3 <<<"$entries" | grep -E '^(DisplayName|DisplayVersion|Publisher|Comments|NoModify|NoRepair|InstallLocation|Language|UninstallString)' | tr '\t\n' '= ' )"

# --- the installed program starts and shows its window
[ -z "$(tenmoru_windows)" ] || fail "a Tenmoru window is there before the program starts"
touch "$work/started"
"$wine" "C:\\Program Files (x86)\\Tenmoru\\Tenmoru.exe" </dev/null >/dev/null 2>&1 &
program=$!
shown=""
for _ in $(seq 300); do
  window="$(tenmoru_windows | head -n 1)"
  if [ -n "$window" ] && xwininfo -id "$(awk '{print $1}' <<<"$window")" | grep -q 'Map State: IsViewable'; then shown=yes; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [ -n "$shown" ]; then say "the installed Tenmoru.exe shows its window: $window"; else fail "the installed Tenmoru.exe showed no window"; fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
for _ in $(seq 50); do [ -n "$(tenmoru_windows)" ] || break; sleep 0.1; done
[ -z "$(tenmoru_windows)" ] || fail "Tenmoru's window stayed after its process $program was stopped"
written="$(cd "$drive_c" && find . -newer "$work/started" -type f)"
[ -z "$written" ] || fail "files written while the program ran: $written"

# --- a higher version upgrades it
rc=0; msiexec /i "$(winpath "$work/new.msi")" /qn || rc=$?
[ "$rc" -eq 0 ] || fail "msiexec /i $new_version exited $rc"
check_installed "$new_version" "$new_code"
say "upgraded to $new_version: $(cut -f1 <<<"$entries" | sort -u | wc -l) uninstall entry, DisplayVersion $(entry_value DisplayVersion)"

# --- a lower version is refused
rc=0; msiexec /i "$(winpath "$work/old.msi")" /qn || rc=$?
[ "$rc" -eq $((1603 % 256)) ] || fail "msiexec /i $old_version over $new_version exited $rc, not 1603 (67)"
check_installed "$new_version" "$new_code"
say "$old_version over $new_version refused (exit $rc = 1603 % 256), $new_version still installed; its message: $(msiinfo export "$work/old.msi" LaunchCondition | awk -F'\t' '$1 == "NOT WIX_DOWNGRADE_DETECTED" { print $2 }')"

# --- uninstall leaves nothing
rc=0; msiexec /x "$(winpath "$work/new.msi")" /qn || rc=$?
[ "$rc" -eq 0 ] || fail "msiexec /x exited $rc"
snapshot | diff "$work/before.txt" - >"$work/diff.txt" || fail "left after uninstall: $(grep '^[<>]' "$work/diff.txt" | tr '\n' ' ')"
[ -n "$(uninstall_entries)" ] && fail "an uninstall entry is left"
say "uninstalled: the prefix's files as before the install"

# --- and on a Windows that is not Japanese
rc=0; LANG=C.UTF-8 LC_ALL=C.UTF-8 msiexec /i "$(winpath "$work/old.msi")" /qn || rc=$?
[ "$rc" -eq 0 ] || fail "msiexec /i under an English locale exited $rc"
[ -f "$program_dir/Tenmoru.exe" ] || fail "no Tenmoru.exe after the install under an English locale"
grep -aq 'UserLanguageID = 1033' "$work/msiexec-$runs.log" || fail "the English install did not run in English"
rc=0; LANG=C.UTF-8 LC_ALL=C.UTF-8 msiexec /x "$(winpath "$work/old.msi")" /qn || rc=$?
[ "$rc" -eq 0 ] || fail "msiexec /x under an English locale exited $rc"
snapshot | diff "$work/before.txt" - >"$work/diff.txt" || fail "left after uninstall: $(grep '^[<>]' "$work/diff.txt" | tr '\n' ' ')"
say "installed and uninstalled under an English locale"

# --- no registry key of ours: the registry reaches its files when the server ends
finished=yes
wineserver -k 2>/dev/null || true
server_started=""
pattern="tenmoru"
for code in "$old_code" "$new_code" "$upgrade_code"; do pattern+="|${code//[\{\}]/}|$(packed "$code")"; done
keys="$(grep -ihE "$pattern" "$WINEPREFIX"/*.reg || true)"
[ -z "$keys" ] || fail "left in the registry: $keys"
[ -n "$keys" ] || say "the registry holds nothing of Tenmoru's"

if [ "$failures" -gt 0 ]; then
  say "$failures failures; msiexec's logs:" && for log in "$work"/msiexec-*.log; do echo "== $log"; iconv -f CP932 -t UTF-8 "$log" | tail -n 20; done
  exit 1
fi
say "install, start, upgrade, downgrade refused, uninstall: all as they should be"
