#!/usr/bin/env bash
# Builds the fuzz target for number reading (preset "fuzz", clang with libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs it for SECONDS seconds (default 300). Exits nonzero when
# it finds a crash or a broken invariant; the input that did it is saved in <build>/fuzz-artifacts.
#     scripts/fuzz.sh [SECONDS]           grows its corpus in <build>/fuzz-corpus from run to run
#     scripts/fuzz.sh --smoke [SECONDS]   the test command's stage: 20 s by default, seed 1, from a
#                                         fresh copy of the committed seeds, so two runs do the same
# The committed seeds in tests/fuzz/corpus are never written. FUZZ_SEED replays a seed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
build="$root/build/fuzz"

smoke=0
if [ "${1:-}" = "--smoke" ]; then smoke=1; shift; fi
seconds="${1:-$([ "$smoke" = 1 ] && echo 20 || echo 300)}"
case "$seconds" in ''|*[!0-9]*) echo "fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2; exit 2;; esac
seed="${FUZZ_SEED:-$([ "$smoke" = 1 ] && echo 1 || echo 0)}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

corpus="$build/fuzz-corpus"
[ "$smoke" = 1 ] && corpus="$build/fuzz-smoke-corpus" && rm -rf "$corpus"
mkdir -p "$corpus" "$build/fuzz-artifacts"
cp -n "$root"/tests/fuzz/corpus/number_fuzz/* "$corpus"/
# A text of 64 Ki characters, which mutation alone would take long to grow to.
{ head -c 65530 /dev/zero | tr '\0' '0'; printf '7.5e1'; } >"$corpus/long_zeros_then_number"

export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
log="$build/number_fuzz.log"
echo "=== fuzz.sh: number_fuzz for ${seconds}s (seed $seed)"
rc=0
"$build/tests/fuzz/number_fuzz" -seed="$seed" -max_total_time="$seconds" -max_len=200000 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/" "$corpus" >"$log" 2>&1 || rc=$?
status="$(grep -E '^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -n 1 || true)"
runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
if [ "$rc" -ne 0 ]; then
  echo "fuzz.sh: number_fuzz FAILED (exit $rc); the end of $log:"
  tail -n 40 "$log"
  exit 1
fi
echo "fuzz.sh: number_fuzz ok, ${runs:-?} runs in ${seconds}s; ${status#*	}"
