#!/usr/bin/env bash
# Wine environment of one build tree. Source it:
#     source scripts/wine-env.sh [BUILD_DIR]        (default: build/windows)
# It sets WINEPREFIX=<BUILD_DIR>/wineprefix (wineprefix-wow64 or wineprefix-emulated with
# TENMORU_WINE_PREFIX=wow64 or emulated, see below), WINEARCH, WINEDEBUG and a Japanese locale, TENMORU_WINE
# (the Wine loader for the build's programs: 32-bit, or 64-bit for a 64-bit build) and defines
# tenmoru_wine_prefix_ensure, which makes the prefix once (Japanese locale, a virtual desktop for
# every program, the system-information tool registered as Windows setup registers it).
# Sourcing changes no shell options of the caller.

_tenmoru_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TENMORU_BUILD_DIR="${1:-${TENMORU_BUILD_DIR:-$_tenmoru_root/build/windows}}"
mkdir -p "$TENMORU_BUILD_DIR"
TENMORU_BUILD_DIR="$(cd "$TENMORU_BUILD_DIR" && pwd)"
export TENMORU_BUILD_DIR

export WINEPREFIX="$TENMORU_BUILD_DIR/wineprefix"
# A 64-bit build (preset windows-x64) runs in a 64-bit prefix with the 64-bit loader, and so does a
# folder inside one (the benchmark's prefix); every other build in a 32-bit prefix, which behaves as
# 32-bit Windows does. With TENMORU_WINE_PREFIX=wow64, a 32-bit build's programs run in a 64-bit
# prefix of their own instead, as a 32-bit program runs on 64-bit Windows: the system shows it the
# 32-bit system folder and registry. The 32-bit loader starts the prefix's 64-bit programs itself.
# With TENMORU_WINE_PREFIX=emulated, a 64-bit build's programs run in a 64-bit prefix of their own
# whose 32-bit side was made under emulation (scripts/emulate-i386.sh), where the kernel runs no
# 32-bit code: a prefix made without it has an empty 32-bit system folder.
if grep -qs '^CMAKE_TOOLCHAIN_FILE:.*x86_64-w64-mingw32.cmake$' "$TENMORU_BUILD_DIR/CMakeCache.txt" \
  "$(dirname "$TENMORU_BUILD_DIR")/CMakeCache.txt"; then
  [ "${TENMORU_WINE_PREFIX:-}" != emulated ] || export WINEPREFIX="$TENMORU_BUILD_DIR/wineprefix-emulated"
  export WINEARCH=win64
  TENMORU_WINE=/usr/lib/wine/wine64
elif [ "${TENMORU_WINE_PREFIX:-}" = wow64 ]; then
  export WINEPREFIX="$TENMORU_BUILD_DIR/wineprefix-wow64"
  export WINEARCH=win64
  TENMORU_WINE=/usr/lib/wine/wine
else
  export WINEARCH=win32
  TENMORU_WINE=/usr/lib/wine/wine
fi
export TENMORU_WINE
export WINEDEBUG="${WINEDEBUG:--all}"
# The prefix takes its code page (932) from the locale it is first made in; programs read it too.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

# Whether this machine's kernel runs 32-bit x86 programs (Wine's 32-bit loader is one): a kernel
# can have its 32-bit emulation switched off. Where it cannot, the scripts use the windows-x64 build.
# A qemu registration for i386 programs in the machine's binfmt_misc makes the loader start, but
# each 32-bit process then takes a minute to: that counts as no 32-bit code. TENMORU_NO_32BIT=1
# has a machine that runs 32-bit code taken for one that does not, to try what such a machine runs.
tenmoru_runs_32bit_code() {
  [ "${TENMORU_NO_32BIT:-}" != 1 ] && ! _tenmoru_binfmt_interpreters | grep -q 'qemu-i386' &&
    /usr/lib/wine/wine --version >/dev/null 2>&1
}
# The interpreters of the machine's binfmt_misc registrations. Where it is not mounted, root reads it
# in a mount namespace of its own, so that the machine's mounts stay as they are.
_tenmoru_binfmt_interpreters() {
  local dir=/proc/sys/fs/binfmt_misc
  if [ -f "$dir/status" ]; then
    cat "$dir"/* 2>/dev/null | sed -n 's/^interpreter //p'
  elif [ "$(id -u)" -eq 0 ]; then
    unshare --mount sh -c "mount -t binfmt_misc binfmt_misc $dir && cat $dir/*" 2>/dev/null |
      sed -n 's/^interpreter //p'
  fi
}
# The preset whose programs run here: windows, else windows-x64.
tenmoru_runnable_preset() { if tenmoru_runs_32bit_code; then echo windows; else echo windows-x64; fi; }

# Starts a private X server on a free display (Xvfb picks the number and says it once it listens)
# and exports DISPLAY; TENMORU_XVFB_PID is the server's, for the caller to stop it.
tenmoru_start_xvfb() {
  local fifo display=""
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$fifo" 2>/dev/null &
  TENMORU_XVFB_PID=$!
  read -r -t 30 display <"$fifo" || true
  rm -f "$fifo"
  [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$display"
}

# The desktop size every program of the prefix runs in.
TENMORU_WINE_DESKTOP_SIZE="${TENMORU_WINE_DESKTOP_SIZE:-1024x768}"

# Bump when the settings below change: an existing prefix then gets them again without being remade.
_tenmoru_prefix_settings_version=1
_tenmoru_prefix_marker="$WINEPREFIX/.tenmoru-prefix-ready"

# Registry settings of the prefix, in regedit's format.
_tenmoru_prefix_registry() {
  cat <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$TENMORU_WINE_DESKTOP_SIZE"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:00000060

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSInfo]
"Path"="C:\\\\windows\\\\system32\\\\msinfo32.exe"

REG
}

# Makes the prefix on first use and brings its settings up to date; instant once done.
# Safe to call from several processes at once: the first one does the work under a lock.
tenmoru_wine_prefix_ensure() {
  if [ -f "$_tenmoru_prefix_marker" ] &&
     [ "$(cat "$_tenmoru_prefix_marker")" = "$_tenmoru_prefix_settings_version" ]; then
    return 0
  fi
  (
    flock 9
    if [ -f "$_tenmoru_prefix_marker" ] &&
       [ "$(cat "$_tenmoru_prefix_marker")" = "$_tenmoru_prefix_settings_version" ]; then
      exit 0
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
      echo "wine-env: the ja_JP.UTF-8 locale is missing; run scripts/setup.sh first" >&2
      exit 1
    fi
    started=$EPOCHREALTIME
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine-env: creating the Wine prefix $WINEPREFIX ..." >&2
      # No Mono or Gecko: the program needs neither, and their installers would ask.
      WINEDLLOVERRIDES="mscoree,mshtml=" "$TENMORU_WINE" wineboot -i >/dev/null 2>&1 ||
        { echo "wine-env: wineboot failed" >&2; exit 1; }
    fi
    reg_file="$WINEPREFIX/drive_c/tenmoru-prefix.reg"
    _tenmoru_prefix_registry | sed 's/$/\r/' >"$reg_file"
    "$TENMORU_WINE" regedit /S 'C:\tenmoru-prefix.reg' >/dev/null 2>&1 ||
      { echo "wine-env: importing the prefix settings failed" >&2; exit 1; }
    rm -f "$reg_file"
    # The registry reaches the disk when the server ends; wait for that unless a server is kept
    # running on purpose (scripts/test.sh makes the prefix before it starts one).
    timeout 30 wineserver -w 2>/dev/null || true
    echo "$_tenmoru_prefix_settings_version" >"$_tenmoru_prefix_marker"
    awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "wine-env: Wine prefix ready in %.1f s\n", b - a }' >&2
  ) 9>"$TENMORU_BUILD_DIR/.wineprefix.lock"
}
