#!/usr/bin/env bash
# Runs a Windows program of a build tree under Wine, in that tree's own prefix:
#     scripts/wine-exec.sh PATH/TO/program.exe [ARGS...]
# CMake uses it as the cross build's CMAKE_CROSSCOMPILING_EMULATOR, so ctest runs every test
# executable through it. The program's stdout, stderr and exit code pass through unchanged.
# GUI programs need DISPLAY (scripts/test.sh provides one); console programs do not.
set -euo pipefail

if [ "$#" -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

# The build tree is the nearest folder above the program that holds a CMakeCache.txt.
program_dir="$(cd "$(dirname "$1")" && pwd)"
build_dir="$program_dir"
while [ "$build_dir" != / ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do
  build_dir="$(dirname "$build_dir")"
done
[ "$build_dir" = / ] && build_dir="$program_dir"

# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "$build_dir"
tenmoru_wine_prefix_ensure

# Programs of the prefix that outlive a test (services, device drivers) are started by the first
# program after the server starts and inherit its output. Under ctest that output is a pipe which
# ctest reads to its end, so it would wait for them to exit. When no server runs yet, start one
# that stays 30 s after its last program, and start those services here with no output attached.
if wineserver -p30 </dev/null >/dev/null 2>&1; then
  "$TENMORU_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi

exec "$TENMORU_WINE" "$@"
