#!/usr/bin/env bash
# The test command: sets up what is missing, then builds and runs every test through ctest:
#   format   - clang-format --dry-run -Werror over the product's and the tests' C++ (.clang-format);
#   native   - the portable core's unit tests, built for this machine;
#   sanitize - the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   fuzz     - the number-reading fuzz target for 20 s from its seed corpus, with a fixed seed;
#   windows  - the checks of Tenmoru.exe itself (its imports, its hardening, the release), then the
#              same unit tests and the end-to-end tests, cross-built and run under Wine on a private
#              Xvfb display. Where this machine cannot run 32-bit x86 code (a kernel with its 32-bit
#              emulation switched off), those run on a 64-bit build of the same sources in 64-bit
#              Wine instead, and the 32-bit Tenmoru.exe as it ships is started once as a 32-bit
#              process under emulation (label emulated, scripts/emulate-i386.sh); the summary says so.
# Ends with the ctest summary of every stage and exits nonzero when anything failed.
# Only the processes started here (Xvfb, the prefix's wineserver) are stopped here.
#     scripts/test.sh              all stages
#     scripts/test.sh windows      only the named stages
#     TENMORU_CTEST_ARGS="-R e2e.Game" scripts/test.sh windows    only the matching tests
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
jobs=2

# A failing stage does not stop the later ones. Stage functions run in a
# condition, where set -e does not apply, so each of their steps returns on failure itself.
# Stages run in this order. To add one (a sanitizer build, fuzzing, ...), write a function
# stage_<name> that returns nonzero on failure and add <name> here.
all_stages=(format native sanitize fuzz windows)

TENMORU_XVFB_PID=""
wineservers=()   # the prefixes whose wineserver this run started
cleanup() {
  local prefix
  for prefix in "${wineservers[@]}"; do
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  done
  if [ -n "$TENMORU_XVFB_PID" ]; then
    kill "$TENMORU_XVFB_PID" 2>/dev/null || true
    wait "$TENMORU_XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

summary=()
# Runs a command with its output shown and kept in a log; returns the command's exit code.
run_logged() {
  local log="$1" rc
  shift
  mkdir -p "$(dirname "$log")"
  set +e
  "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  return "$rc"
}

# Runs ctest for one preset (with further ctest options, if given), keeps its closing lines for the
# final summary.
run_ctest() {
  local preset="$1" log="$root/build/ctest-$1.log" rc=0
  shift
  # shellcheck disable=SC2086  # TENMORU_CTEST_ARGS is a list of ctest options
  run_logged "$log" ctest --preset "$preset" "$@" ${TENMORU_CTEST_ARGS:-} || rc=$?
  summary+=("[$preset] $(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)")
  summary+=("[$preset] $(grep -E 'Total Test time' "$log" | tail -n 1)")
  count_results "$log"
  return "$rc"
}

# Totals over every ctest run, for the closing line.
passed_total=0
failed_total=0
count_results() {
  local line total failed
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)" || return 0
  failed="$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")"
  total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
  passed_total=$((passed_total + total - failed))
  failed_total=$((failed_total + failed))
}

stage_format() {
  local log="$root/build/format.log" rc=0
  mkdir -p "$root/build"
  # shellcheck disable=SC2046  # one argument per file
  run_logged "$log" clang-format --dry-run -Werror $(git -C "$root" ls-files '*.cpp' '*.hpp' '*.h') || rc=$?
  summary+=("[format] $([ "$rc" -eq 0 ] && echo "every C++ file as .clang-format has it" || echo "files differ from .clang-format")")
  return "$rc"
}

stage_native() {
  cmake --preset native >/dev/null || return 1
  cmake --build --preset native -j "$jobs" || return 1
  run_ctest native
}

stage_sanitize() {
  local log="$root/build/sanitize.log" rc=0
  run_logged "$log" "$root/scripts/sanitize.sh" || rc=$?
  summary+=("[sanitize] $(grep -E 'tests passed' "$log" | tail -n 1)")
  count_results "$log"
  return "$rc"
}

stage_fuzz() {
  local log="$root/build/fuzz-smoke.log" rc=0
  run_logged "$log" "$root/scripts/fuzz.sh" --smoke || rc=$?
  summary+=("[fuzz] $(grep -E '^fuzz.sh: number_fuzz' "$log" | tail -n 1)")
  return "$rc"
}

# One wineserver per prefix for the whole run instead of one per test program, and the prefix's
# background services started now with no output attached: started by a test, they would inherit
# its output pipe and ctest would wait for them to end. wineserver returns once its server listens:
# 0 when it started one, 2 when one already runs.
serve_prefix() {
  if WINEPREFIX="$1" wineserver -p </dev/null >/dev/null 2>&1; then
    wineservers+=("$1")
    # Without WINEARCH, which names the last prefix sourced: Wine refuses a prefix of the other kind,
    # and the first test would then start the services, holding ctest's output open.
    env -u WINEARCH WINEPREFIX="$1" "$TENMORU_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
  else
    echo "test.sh: a wineserver already runs for $1; the tests use it"
  fi
}

# Where this kernel runs no 32-bit code: the 32-bit Tenmoru.exe as it ships, started once as a
# 32-bit process in a 64-bit prefix of its own, under emulation in a namespace of the run's own
# (scripts/emulate-i386.sh), where the prefix is made too. Skipped, and said, where the kernel
# cannot give a namespace the emulation.
run_emulated() {
  local log="$root/build/ctest-emulated.log" rc=0
  # shellcheck disable=SC2086  # TENMORU_CTEST_ARGS is a list of ctest options
  if ctest --preset windows-x64 -N -L emulated ${TENMORU_CTEST_ARGS:-} | grep -q 'Total Tests: 0'; then return 0; fi
  # shellcheck disable=SC2016,SC2086  # expanded by the inner shell; a list of ctest options
  TENMORU_WINE_PREFIX=emulated run_logged "$log" "$root/scripts/emulate-i386.sh" bash -c \
    'source "$1" "$2" && tenmoru_wine_prefix_ensure && shift 2 && exec ctest --preset windows-x64 -L emulated -V "$@"' \
    _ "$root/scripts/wine-env.sh" "$TENMORU_BUILD_DIR" ${TENMORU_CTEST_ARGS:-} || rc=$?
  if [ "$rc" -eq 77 ]; then
    summary+=("[windows] 32-bit Tenmoru.exe under emulation: skipped, $(grep -m1 '^emulate-i386:' "$log" | cut -d' ' -f2-)")
    return 0
  fi
  local result shown
  result="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 |
    sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+)/\2 tests, \1 failed/')"
  shown="$(grep -m1 -o 'showed its main window [0-9.]* s after its start' "$log")" || shown="its main window not shown"
  summary+=("[windows] 32-bit Tenmoru.exe under emulation: ${result:-no result (exit code $rc)}; $shown")
  count_results "$log"
  return "$rc"
}

stage_windows() {
  local preset=windows
  # shellcheck source=scripts/wine-env.sh
  source "$root/scripts/wine-env.sh" "$root/build/windows"
  if tenmoru_runs_32bit_code; then
    cmake --preset windows -DTENMORU_WINE_TESTS=ON >/dev/null || return 1
    cmake --build --preset windows -j "$jobs" || return 1
  else
    cmake --preset windows -DTENMORU_WINE_TESTS=OFF >/dev/null || return 1
    # Tenmoru.exe is built and checked as it ships; what must run under Wine runs on the 64-bit build.
    cmake --build --preset windows -j "$jobs" --target Tenmoru || return 1
    echo "test.sh: this machine cannot run 32-bit x86 code; the Windows tests run on a 64-bit build under 64-bit Wine"
    summary+=("[windows] this machine runs no 32-bit x86 code: Tenmoru.exe's own checks on the 32-bit build, the rest on a 64-bit build")
    run_ctest windows -L static || return 1
    preset=windows-x64
    cmake --preset "$preset" -DTENMORU_SHIPPED_EXE="$root/build/windows/Tenmoru.exe" >/dev/null || return 1
    cmake --build --preset "$preset" -j "$jobs" || return 1
  fi
  # shellcheck source=scripts/wine-env.sh
  source "$root/scripts/wine-env.sh" "$root/build/$preset"
  # The prefixes are made before their persistent servers: making one waits for its own.
  local prefixes=("$WINEPREFIX")
  tenmoru_wine_prefix_ensure || return 1
  if [ "$preset" = windows ]; then
    # The 32-bit program as almost every player runs it, on 64-bit Windows: the e2e tests again in a
    # 64-bit prefix (ctest label wow64).
    (export TENMORU_WINE_PREFIX=wow64 && source "$root/scripts/wine-env.sh" "$TENMORU_BUILD_DIR" &&
      tenmoru_wine_prefix_ensure) || return 1
    prefixes+=("$TENMORU_BUILD_DIR/wineprefix-wow64")
    summary+=("[windows] Wine prefixes: 32-bit, and 64-bit running the 32-bit program (label wow64)")
  else
    summary+=("[windows] Wine prefix: 64-bit, running the 64-bit build")
  fi
  tenmoru_start_xvfb || return 1
  echo "test.sh: Xvfb on $DISPLAY (pid $TENMORU_XVFB_PID)"
  local prefix
  for prefix in "${prefixes[@]}"; do serve_prefix "$prefix"; done
  rm -rf "$TENMORU_BUILD_DIR/screenshots"
  local rc=0
  run_ctest "$preset" -LE emulated || rc=$?
  [ "$preset" = windows ] || run_emulated || rc=$?
  # The end-to-end tests save bitmaps; PNG is what people open.
  if [ -d "$TENMORU_BUILD_DIR/screenshots" ]; then
    find "$TENMORU_BUILD_DIR/screenshots" -name '*.bmp' -print0 |
      while IFS= read -r -d '' bmp; do convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
    echo "test.sh: screenshots in $TENMORU_BUILD_DIR/screenshots"
  fi
  return "$rc"
}

"$root/scripts/setup.sh"

stages=("$@")
[ "${#stages[@]}" -gt 0 ] || stages=("${all_stages[@]}")
failed=()
for stage in "${stages[@]}"; do
  echo "=== test.sh: stage $stage"
  if ! "stage_$stage"; then failed+=("$stage"); fi
done

echo
echo "=== test.sh: summary"
printf '%s\n' "${summary[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "test.sh: FAILED stages: ${failed[*]}"
else
  echo "test.sh: all stages passed"
fi
echo "tests: $passed_total passed, $failed_total failed"
[ "${#failed[@]}" -eq 0 ]
