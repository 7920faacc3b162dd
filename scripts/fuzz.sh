#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang) and runs each of them in turn, one process at
# a time, for SECONDS seconds (default 300). Exits nonzero when a target crashes, breaks one of its
# invariants, leaks or times out; the input that did it is saved under <build>/fuzz-artifacts/.
#     scripts/fuzz.sh [SECONDS] [TARGET...]
#     scripts/fuzz.sh --smoke [SECONDS] [TARGET...]
# --smoke (what scripts/fuzz-smoke.sh runs) starts every target from a fresh copy of its committed
# seeds with the fixed seed 1, so two runs do the same work; without it the corpus grown in
# <build>/fuzz-corpus/ is kept and extended from run to run, and the seed is libFuzzer's own
# (printed; set FUZZ_SEED to replay one). The repository's seed corpora are never written.
# Environment: TENMORU_FUZZ_BUILD_DIR (default build/fuzz, the preset's folder), FUZZ_SEED.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"

smoke=0
if [ "${1:-}" = "--smoke" ]; then smoke=1; shift; fi
seconds="${1:-300}"
[ "$#" -gt 0 ] && shift
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(number_fuzz registry_fuzz guess_loop_fuzz)
case "$seconds" in ''|*[!0-9]*) echo "fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2; exit 2;; esac

build="${TENMORU_FUZZ_BUILD_DIR:-$root/build/fuzz}"
seed="${FUZZ_SEED:-$([ "$smoke" = 1 ] && echo 1 || echo 0)}"

# The longest input each target reads: number_fuzz texts of 64 Ki code units and more (1 to 3
# bytes each), registry_fuzz 9 header bytes and 1100 data bytes, guess_loop_fuzz a long script.
max_len() {
  case "$1" in
    number_fuzz) echo 131072 ;;
    registry_fuzz) echo 1109 ;;
    *) echo 16384 ;;
  esac
}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j 2

# Seeds made here rather than committed: texts of 64 Ki code units that mutation alone would take
# long to grow to.
add_long_seeds() {
  local dir="$1"
  { head -c 65530 /dev/zero | tr '\0' '0'; printf '7.5e1'; } >"$dir/long_zeros_then_number"
  { printf '\215'; head -c 40000 /dev/zero | tr '\0' '\201'; printf '\215x'; } >"$dir/long_full_width_digits"
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"
summary=()
failed=()
for target in "${targets[@]}"; do
  exe="$build/tests/fuzz/$target"
  seeds="$root/tests/fuzz/corpus/$target"
  [ -x "$exe" ] && [ -d "$seeds" ] || { echo "fuzz.sh: no target '$target'" >&2; exit 2; }
  if [ "$smoke" = 1 ]; then
    corpus="$build/fuzz-smoke-corpus/$target"
    rm -rf "$corpus"
  else
    corpus="$build/fuzz-corpus/$target"
  fi
  mkdir -p "$corpus"
  cp -n "$seeds"/* "$corpus"/
  [ "$target" = number_fuzz ] && add_long_seeds "$corpus"

  log="$build/fuzz-logs/$target.log"
  echo "=== fuzz.sh: $target for ${seconds}s (seed $seed, corpus $corpus)"
  rc=0
  "$exe" -seed="$seed" -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
    "$corpus" >"$log" 2>&1 || rc=$?

  status="$(grep -E '^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -n 1 || true)"
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
  cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$status")"
  ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$status")"
  corp="$(sed -n 's/.* corp: \([0-9]*\/[0-9]*[kKMb]*\).*/\1/p' <<<"$status")"
  grep -E '^INFO: Seed:' "$log" || true
  if [ "$rc" -ne 0 ]; then
    failed+=("$target")
    echo "fuzz.sh: $target FAILED (exit $rc); the end of $log:"
    tail -n 40 "$log"
    ls -1 "$build/fuzz-artifacts/$target-"* 2>/dev/null || true
  else
    echo "${status}"
  fi
  summary+=("$(printf '%-16s %-7s runs %-10s exec/s %-7s corpus %-12s cov %-5s ft %s' \
    "$target" "$([ "$rc" -eq 0 ] && echo ok || echo FAILED)" "${runs:-?}" "${speed:-?}" "${corp:-?}" "${cov:-?}" "${ft:-?}")")
done

echo
echo "=== fuzz.sh: summary (${seconds}s each)"
printf '%s\n' "${summary[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz.sh: FAILED: ${failed[*]}"
  exit 1
fi
