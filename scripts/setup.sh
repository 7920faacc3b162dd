#!/usr/bin/env bash
# Installs what building and testing Tenmoru needs on Debian 12, once.
# Every step checks first and skips what is already done, so a second run takes a second or two.
set -euo pipefail

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo "$@"; else
      echo "setup: '$*' needs root (run as root or install sudo)" >&2; exit 1; fi
  else "$@"; fi
}

packages=(
  cmake make ninja-build g++ clang libclang-rt-14-dev googletest libfast-float-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  zip unzip strip-nondeterminism osslsigncode openssl clang-format wixl msitools faketime
  locales fonts-noto-cjk fonts-ipafont-gothic
  xvfb x11-utils imagemagick python3 qemu-user-static
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root dpkg --add-architecture i386
  fi
  need_root apt-get update -qq
  need_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine must see a Japanese locale when its prefix is first made, or the ANSI code page is 1252.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  need_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
