#!/usr/bin/env bash
# Builds the portable core and its unit tests with AddressSanitizer and UndefinedBehaviorSanitizer
# (preset "native-sanitize") and runs them through ctest. Any sanitizer report fails the run: the
# build makes every report fatal, and the tests' whole output is searched for reports as well, in
# case a report ever comes from a process whose exit status ctest does not see.
#     scripts/sanitize.sh
# Environment: TENMORU_SANITIZE_BUILD_DIR (default build/native-sanitize, the preset's folder).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
build="${TENMORU_SANITIZE_BUILD_DIR:-$root/build/native-sanitize}"

cmake --preset native-sanitize -B "$build" >/dev/null
cmake --build "$build" -j 2

export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

log="$build/sanitize-tests.log"
rc=0
ctest --test-dir "$build" --output-on-failure --output-log "$log" || rc=$?
if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$log"; then
  echo "sanitize.sh: sanitizer reports in $log:"
  grep -E 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$log" | head -n 20
  rc=1
fi
[ "$rc" -eq 0 ] && echo "sanitize.sh: all tests passed, no sanitizer reports" || echo "sanitize.sh: FAILED"
exit "$rc"
