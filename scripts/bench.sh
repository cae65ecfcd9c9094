#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised), prints the ratio of a
# worst-case estimation to its 4,800 formula evaluations, the peak memory
# of one `torume estimate` process, and what reading an observation file
# costs: instructions per byte (callgrind), the peak memory for a 200 MB
# line, and an endless stream. With --window first, also the time the
# window takes to load a 100 MB file under Wine.
#   scripts/bench.sh [--window] [benchmark options...]
set -euo pipefail
cd "$(dirname "$0")/.."

window=0
if [[ "${1:-}" == --window ]]; then
  window=1
  shift
fi

scripts/install-deps.sh core bench
cmake --preset bench >/dev/null
cmake --build --preset bench

build/bench/bench/torume_bench "$@"

echo
echo "the advice against random choice:"
build/bench/bench/torume_advice_simulation

torume=build/bench/cli/torume
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

echo
echo "peak memory of torume estimate examples/worked-example.txt:"
/usr/bin/time -f "  %M KiB maximum resident set size" "$torume" estimate examples/worked-example.txt >/dev/null

echo
echo "instructions per byte loading 150,000 short lines (callgrind, the load and its estimation):"
awk 'BEGIN { for (i = 0; i < 150000; i++) print "1 1 5 0 0 0 0" }' >"$scratch/short.txt"
valgrind --tool=callgrind --callgrind-out-file="$scratch/callgrind.out" \
  --toggle-collect='LoadObservationsFromStream(*' "$torume" estimate "$scratch/short.txt" >/dev/null 2>&1
instructions=$(callgrind_annotate "$scratch/callgrind.out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
bytes=$(stat -c %s "$scratch/short.txt")
awk -v i="$instructions" -v b="$bytes" 'BEGIN { printf "  %.1f (%d instructions, %d bytes)\n", i / b, i, b }'

echo
echo "peak memory of torume estimate on one line of 200 MB (seven numbers, then 200 MB of text):"
{ printf '1208 50 300 0 10 10 0'; head -c 200000000 /dev/zero | tr '\0' x; } |
  /usr/bin/time -f "  %M KiB maximum resident set size, %e s" "$torume" estimate - >/dev/null

echo
echo "peak memory of torume estimate /dev/zero, an endless line, stopped after 3 s:"
/usr/bin/time -o "$scratch/time" -f "  %M KiB maximum resident set size" \
  timeout 3 "$torume" estimate /dev/zero >/dev/null 2>&1 || true
tail -n 1 "$scratch/time"

if ((window)); then
  echo
  echo "the window loading a 100 MB file of valid lines under Wine, from the dialog's OK to the estimate:"
  scripts/install-deps.sh windows
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target torume-calc torume-drive
  awk 'BEGIN { for (i = 0; i < 4545454; i++) print "1208 50 300 0 10 10 0" }' >"$scratch/100mb.txt"
  scripts/wine-run.sh build/windows/app/torume-drive.exe time build/windows/app/torume-calc.exe "$scratch/100mb.txt" 2>/dev/null |
    sed 's/^/  /'
fi
