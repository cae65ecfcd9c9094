#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised), prints the ratio of a
# worst-case estimation to its 4,800 formula evaluations, and the peak
# memory of one `torume estimate` process.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh core bench
cmake --preset bench >/dev/null
cmake --build --preset bench

build/bench/torume_bench "$@"

echo
echo "peak memory of torume estimate examples/worked-example.txt:"
/usr/bin/time -f "  %M KiB maximum resident set size" \
  build/bench/cli/torume estimate examples/worked-example.txt >/dev/null
