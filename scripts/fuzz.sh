#!/usr/bin/env bash
# Runs every fuzz target for a number of executions (default 1,000,000),
# one after another, from its seeds; new inputs stay in build/fuzz/corpus.
# Usage: scripts/fuzz.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1000000}"

scripts/install-deps.sh core fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

run_target() {
  local name=$1; shift
  echo "=== $name: $runs runs ==="
  mkdir -p "build/fuzz/corpus/$name"
  "build/fuzz/$name" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "build/fuzz/corpus/$name" "$@" 2>&1 | grep -E "^(Done|stat::(number_of_executed_units|peak_rss_mb))|ERROR|SUMMARY"
}

run_target fuzz_integer_field form/fuzz-seeds
run_target fuzz_damage_calculation damage/fuzz-seeds
run_target fuzz_observation_file observations/fuzz-seeds examples
