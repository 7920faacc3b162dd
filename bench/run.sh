#!/usr/bin/env bash
# Tenmoru's benchmark under Wine: builds the programs, runs the driver on a private Xvfb display with
# one persistent wineserver, prints a header line and the driver's table. It passes or fails nothing.
#     bench/run.sh [--rounds N] [--guesses N]      (the driver's options; defaults 40 and 1000)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/setup.sh"
cd "$root"
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$root/build/windows"
preset="$(tenmoru_runnable_preset)"   # the 64-bit build where this machine runs no 32-bit code
build_dir="$root/build/$preset"
[ -f "$build_dir/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target Tenmoru marker bench_yardstick bench_window_yardstick bench_driver >&2

# A prefix of the benchmark's own (made once, like the tests'): Wine programs of a test run going on
# at the same time would otherwise share our wineserver, with windows on another X display.
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$build_dir/bench-wine"
tenmoru_wine_prefix_ensure   # before our server: making the prefix waits for its own to end

xvfb_pid="" wineserver_pid="" fifo="$(mktemp -u)"
cleanup() {  # stops only what this run started
  # While our wineserver runs, every Wine process of the prefix was started by this run.
  if [ -n "$wineserver_pid" ] && kill -0 "$wineserver_pid" 2>/dev/null; then
    wineserver -k 2>/dev/null || true
    wait "$wineserver_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -f "$fifo"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private X server on a free display; Xvfb writes the number it took once it listens.
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb_pid=$!
read -r -t 30 display <"$fifo" || { echo "bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

# One wineserver for the whole run, so that no start pays for starting a server.
wineserver -f -p >/dev/null 2>&1 &
wineserver_pid=$!
"$TENMORU_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true   # the prefix's services, started once now

echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'),"\
 "$(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo); $("$TENMORU_WINE" --version);"\
 "Xvfb 1024x768, Wine desktop $TENMORU_WINE_DESKTOP_SIZE; load average $(cut -d' ' -f1-3 /proc/loadavg)"
# What each program imports: a new DLL shows here at once.
for exe in Tenmoru.exe bench_yardstick.exe bench_window_yardstick.exe; do
  objdump="$([ "$preset" = windows ] && echo i686 || echo x86_64)-w64-mingw32-objdump"
  echo "imports of $exe ($preset build): $("$objdump" -p "$build_dir/$exe" | awk '/DLL Name:/ { printf "%s ", $3 }')"
done
(cd "$build_dir" && "$TENMORU_WINE" ./bench_driver.exe "$@")
