#!/usr/bin/env bash
# Runs every fuzz target for a number of executions (default 1,000,000),
# one after another, from its seeds; new inputs stay in its corpus under
# build/fuzz/corpus. The targets, their programs, corpora and seeds come
# from the list CMake writes (build/fuzz/fuzz-targets.txt). Exits non-zero
# when the list is empty, or a target is missing or fails.
# Usage: scripts/fuzz.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1000000}"
list=build/fuzz/fuzz-targets.txt

scripts/install-deps.sh core fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Each target's whole output goes to build/fuzz/logs/NAME.log; here its
# summary, or the end of the log when it failed.
run_target() { # name program corpus seeds...
  local name=$1 program=$2 corpus=$3
  shift 3
  echo "=== $name: $runs runs ==="
  if [[ ! -x "$program" ]]; then
    echo "FAILED: $name: no program $program" >&2
    return 1
  fi
  mkdir -p "$corpus" build/fuzz/logs
  local log="build/fuzz/logs/$name.log" status=0
  "$program" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$@" \
    </dev/null >"$log" 2>&1 || status=$?
  grep -E "^(Done|stat::(number_of_executed_units|peak_rss_mb))|ERROR|SUMMARY" "$log" || true
  if ((status != 0)); then
    tail -n 40 "$log" >&2
    echo "FAILED: $name exited with $status (the whole output: $log)" >&2
    return 1
  fi
}

mapfile -t targets < <(grep -v '^[[:space:]]*$' "$list" || true)
if ((${#targets[@]} == 0)); then
  echo "FAILED: no fuzz targets in $list" >&2
  exit 1
fi
failed=()
for line in "${targets[@]}"; do
  IFS=$'\t' read -r -a fields <<<"$line"
  run_target "${fields[@]}" || failed+=("${fields[0]}")
done
if ((${#failed[@]})); then
  echo "fuzz targets failed: ${failed[*]}" >&2
  exit 1
fi
echo "all ${#targets[@]} fuzz targets ran $runs times without a failure"
