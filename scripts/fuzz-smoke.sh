#!/usr/bin/env bash
# The fuzzing stage of the test command: every fuzz target for a bounded time (SECONDS, default
# 20) with the fixed seed 1, from a fresh copy of its committed seeds in the build folder.
# Exits nonzero when any target crashes or breaks an invariant. See scripts/fuzz.sh.
#     scripts/fuzz-smoke.sh [SECONDS]
set -euo pipefail
exec "$(dirname "${BASH_SOURCE[0]}")/fuzz.sh" --smoke "${1:-20}"
