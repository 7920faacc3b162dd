#!/usr/bin/env bash
# Tenmoru's benchmark under Wine: builds the programs, runs the driver on a private Xvfb display with
# one persistent wineserver, prints a header line and the driver's table. It passes or fails nothing.
#     bench/run.sh [--rounds N] [--guesses N]      (the driver's options; defaults 40 and 1000)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$root/build/windows"
preset="$(tenmoru_runnable_preset)"   # the 64-bit build where this machine runs no 32-bit code
build_dir="$root/build/$preset"
cmake --preset "$preset" -DTENMORU_WINE_TESTS=ON >/dev/null
cmake --build --preset "$preset" -j2 --target Tenmoru marker bench_yardstick bench_window_yardstick bench_driver >&2

# A prefix of the benchmark's own (made once, before our server: making it waits for its own): Wine
# programs of a test run going on at the same time would otherwise share our wineserver.
source "$root/scripts/wine-env.sh" "$build_dir/bench-wine"
tenmoru_wine_prefix_ensure
TENMORU_XVFB_PID="" wineserver_pid=""
cleanup() {  # stops only what this run started; while our server runs, every program of the prefix is ours
  if [ -n "$wineserver_pid" ]; then wineserver -k 2>/dev/null || true; wait "$wineserver_pid" 2>/dev/null || true; fi
  if [ -n "$TENMORU_XVFB_PID" ]; then kill "$TENMORU_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
tenmoru_start_xvfb
wineserver -f -p >/dev/null 2>&1 &   # one server for the whole run, so that no start pays for one
wineserver_pid=$!
"$TENMORU_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true   # the prefix's services, started once now

echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'),"\
 "$(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo); $("$TENMORU_WINE" --version);"\
 "Xvfb 1024x768, Wine desktop $TENMORU_WINE_DESKTOP_SIZE; load average $(cut -d' ' -f1-3 /proc/loadavg)"
for exe in Tenmoru.exe bench_yardstick.exe bench_window_yardstick.exe; do   # a new DLL shows here at once
  objdump="$([ "$preset" = windows ] && echo i686 || echo x86_64)-w64-mingw32-objdump"
  echo "$exe ($preset build): $(stat -c %s "$build_dir/$exe") bytes$([ "$exe" = Tenmoru.exe ] && echo " (goal <= 88 KiB)");"\
   "imports $("$objdump" -p "$build_dir/$exe" | awk '/DLL Name:/ { printf "%s ", $3 }')"
done
(cd "$build_dir" && "$TENMORU_WINE" ./bench_driver.exe "$@")
