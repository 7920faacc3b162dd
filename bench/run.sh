#!/usr/bin/env bash
# Tenmoru's benchmark under Wine: start-up time and peak working set against a minimal Win32 program
# measured in the same run, the size of Tenmoru.exe, the start button's click to the input box, and the
# time per guess over one long game. Prints one table of figures; it passes or fails nothing.
#
#     bench/run.sh [--build-dir DIR] [DRIVER OPTIONS...]
#
# DIR defaults to build/windows (the windows preset's tree). Driver options, passed on:
#     --rounds N (paired start-up rounds, >= 20, default 25)   --warmup N (uncounted rounds, default 2)
#     --clicks N (start-button clicks, default 25)              --guesses N (long game, >= 200, default 1000)
#     --program PATH / --yardstick PATH (Windows paths; default: beside bench_driver.exe)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$root/build/windows"
driver_args=()
while [ "$#" -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir="$2"; shift 2 ;;
    --help|-h) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) driver_args+=("$1"); shift ;;
  esac
done
mkdir -p "$build_dir"
build_dir="$(cd "$build_dir" && pwd)"

"$root/scripts/setup.sh"
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset windows -B "$build_dir" >/dev/null)
fi
if ! build_log="$(cmake --build "$build_dir" -j2 --target Tenmoru bench_minimal bench_driver 2>&1)"; then
  printf '%s\n' "$build_log" >&2
  echo "bench: the build failed" >&2
  exit 1
fi

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$build_dir"
tenmoru_wine_prefix_ensure

xvfb_pid=""
wineserver_pid=""
work_dir="$(mktemp -d)"
cleanup() {
  # While the wineserver we started still runs, every Wine process of the prefix was started by this
  # run and talks to it: end them all with it (a plain signal to the server would leave the prefix's
  # service processes behind). Then our Xvfb.
  if [ -n "$wineserver_pid" ] && kill -0 "$wineserver_pid" 2>/dev/null; then
    wineserver -k 2>/dev/null || true
    wait "$wineserver_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work_dir"
}
trap cleanup EXIT

# A private X server on the first free display; Xvfb writes the number it took once it listens.
mkfifo "$work_dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work_dir/display" 2>/dev/null &
xvfb_pid=$!
if ! read -r -t 30 display_number <"$work_dir/display"; then
  echo "bench: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$display_number"

# One persistent wineserver for the whole run, so that no start pays for starting a server.
# When one already serves this prefix, the new one ends at once and that one is used instead.
wineserver -f -p >/dev/null 2>&1 &
wineserver_pid=$!

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
started=$EPOCHREALTIME
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), \
$(nproc) cores, $(($(sed -n 's/MemTotal: *\([0-9]*\) kB/\1/p' /proc/meminfo) / 1024)) MiB; $(wine --version); \
Xvfb 1024x768, Wine virtual desktop ${TENMORU_WINE_DESKTOP_SIZE}; load average before: $load_before"
(cd "$build_dir" && wine ./bench_driver.exe "${driver_args[@]}")
awk -v a="$started" -v b="$EPOCHREALTIME" -v l="$(cut -d' ' -f1-3 /proc/loadavg)" \
  'BEGIN { printf "Run took %.0f s; load average after: %s\n", b - a, l }'
