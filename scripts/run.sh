#!/usr/bin/env bash
# The run command: sets up what is missing, builds Tenmoru.exe and starts it under Wine.
#     scripts/run.sh                       starts the game on $DISPLAY
#     scripts/run.sh --screenshot FILE.png starts it on a private X display inside a Wine virtual
#                                          desktop, saves a picture of the main window, stops it
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

screenshot=""
case "${1:-}" in
  "") ;;
  --screenshot)
    [ -n "${2:-}" ] || { echo "usage: $0 [--screenshot FILE.png]" >&2; exit 2; }
    screenshot="$(realpath -m "$2")" ;;
  *) echo "usage: $0 [--screenshot FILE.png]" >&2; exit 2 ;;
esac

if [ -z "$screenshot" ] && [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set), so the game has nowhere to show its window." >&2
  echo "run.sh: to get a picture of it instead, run:  scripts/run.sh --screenshot tenmoru.png" >&2
  exit 1
fi

"$root/scripts/setup.sh"
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh" "$root/build/windows"
preset="$(tenmoru_runnable_preset)"
[ "$preset" = windows ] || echo "run.sh: this machine runs no 32-bit x86 code: starting the 64-bit build of the same sources" >&2
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j 2 --target Tenmoru
build="$root/build/$preset"
source "$root/scripts/wine-env.sh" "$build"
tenmoru_wine_prefix_ensure

if [ -z "$screenshot" ]; then
  exec "$TENMORU_WINE" "$build/Tenmoru.exe"
fi

TENMORU_XVFB_PID=""
wineserver_started=""
cleanup() {
  # Only what this script started: the prefix's server (and with it Tenmoru) and the Xvfb.
  if [ -n "$wineserver_started" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "$TENMORU_XVFB_PID" ]; then
    kill "$TENMORU_XVFB_PID" 2>/dev/null || true
    wait "$TENMORU_XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

tenmoru_start_xvfb

if wineserver -p </dev/null >/dev/null 2>&1; then
  wineserver_started=yes
else
  echo "run.sh: a Wine program of $WINEPREFIX is running already; stop it first" >&2
  exit 1
fi
"$TENMORU_WINE" "$build/Tenmoru.exe" </dev/null >/dev/null 2>&1 &

# The Wine desktop fills the X screen and shows nothing but the game, so the picture is the screen
# trimmed of the desktop's colour around the window. Wine copies a painted window to the screen a
# moment after it is shown: take pictures until two in a row are alike and show a window.
shot_a="$(mktemp --suffix=.png)"
shot_b="$(mktemp --suffix=.png)"
for _ in $(seq 1 100); do
  import -window root "$shot_b"
  convert "$shot_b" -trim +repage "$shot_b" 2>/dev/null
  width="$(identify -format '%w' "$shot_b")"
  if [ -s "$shot_a" ] && [ "$width" -gt 100 ] && [ "$width" -lt 1024 ] &&
     [ "$(compare -metric AE "$shot_a" "$shot_b" null: 2>&1 || true)" = 0 ]; then
    break
  fi
  cp "$shot_b" "$shot_a"
  sleep 0.2
done
mkdir -p "$(dirname "$screenshot")"
mv "$shot_b" "$screenshot"
rm -f "$shot_a"
echo "run.sh: saved the main window ($(identify -format '%wx%h' "$screenshot")) to $screenshot"
