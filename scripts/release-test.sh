#!/usr/bin/env bash
# Tests the release zip as a player uses it: unpacks it into a fresh folder
# with a fresh Wine prefix, runs torume.exe there, then starts
# torume-calc.exe from that folder, waits for its window, closes it and
# expects exit code 0; then, in a fresh prefix of a non-Japanese locale,
# loads a file in the window. Exit 77 (skipped) when the zip has not been
# built.
# Usage: scripts/release-test.sh ZIP VERSION TORUME-DRIVE.EXE
set -euo pipefail
zip="$1" version="$2" drive="$3"
source="$(cd "$(dirname "$0")/.." && pwd)"
if [[ ! -f "$zip" ]]; then
  echo "no $zip: scripts/release.sh builds it" >&2
  exit 77
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/torume-release.XXXXXX")"
export TORUME_HEADLESS=1 TORUME_WINEPREFIX="$work/prefix"
source "$(dirname "$0")/wine-env.sh"
cleanup() {
  stop_headless_display
  rm -rf "$work"
}
use_headless_display
trap cleanup EXIT

mkdir "$work/torume"
unzip -q "$zip" -d "$work/torume"
cd "$work/torume"

failures=0
check() { # what, expected, actual
  if [[ "$2" == "$3" ]]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    echo "  expected: $(printf '%q' "$2")"
    echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

# A sentence of the message table, as the programs print it.
message() {
  sed -n "s/^ *{MessageId::$1, \"\(.*\)\"},\$/\1/p" "$source/messages/Messages.cpp"
}

# Notepad's reading: a byte-order mark, and CR LF at the end of every line.
check "README.txt starts with a UTF-8 byte-order mark" "efbbbf" "$(head -c 3 README.txt | od -An -tx1 | tr -d ' \n')"
check "README.txt and the examples end every line with CR LF" "" \
  "$(LC_ALL=C grep -lv $'\r$' README.txt examples/*.txt || true)"

# Standard output only: Wine's own messages go to standard error.
check "torume.exe --version" "torume $version" "$(wine torume.exe --version)"

# The report the native tests expect, its line ends as Windows writes them.
worked="$(cat "$source/cli/testdata/estimate-candidates/worked-example.txt")"
check 'torume.exe estimate --candidates examples\worked-example.txt' "$worked" \
  "$(wine torume.exe estimate --candidates 'examples\worked-example.txt' | tr -d '\r')"

# A name outside code page 932 reaches the file only by its UTF-16 name.
cp examples/worked-example.txt 'observações-관측.txt'
check "torume.exe estimate on a file with a Unicode name" "$worked" \
  "$(wine torume.exe estimate --candidates 'observações-관측.txt' | tr -d '\r')"

# Windows shells leave patterns to the program: a header and five files.
batch="$(wine torume.exe estimate 'examples\*.txt')" || true
check 'torume.exe estimate examples\*.txt: lines' 6 "$(wc -l <<<"$batch")"
check 'torume.exe estimate examples\*.txt: the last file' \
  $'examples\\worked-example.txt\t4\t4\t30\t1.000\t0.750\t1.250\t0\t0' "$(tail -1 <<<"$batch")"

check 'torume.exe estimate ex*\*.txt: a pattern in a folder name' "$batch" \
  "$(wine torume.exe estimate 'ex*\*.txt' || true)"

# Standard error and exit code: a pattern that matches nothing is named as
# such; a missing name without one keeps the system's reason.
failure() {
  local err status=0
  err="$(wine torume.exe "$@" 2>&1 >/dev/null)" || status=$?
  echo "$(tr -d '\r' <<<"$err") (exit $status)"
}
check 'torume.exe estimate nomatch*.txt' "torume: nomatch*.txt: $(message CauseNoMatch) (exit 1)" \
  "$(failure estimate 'nomatch*.txt')"
check 'torume.exe estimate missing.txt' "torume: missing.txt: $(message CauseNotFound) (exit 1)" \
  "$(failure estimate 'missing.txt')"

check "torume-calc.exe opens its window and exits with 0 when closed" "exit code 0" \
  "$(wine "$drive" smoke "$work/torume/torume-calc.exe" 2>&1 | tr -d '\r')"

# A player's Windows in another language (ANSI code page 1252): a fresh
# prefix of its own, where the window loads a file and shows its estimate.
wineserver -k 2>/dev/null || true
export TORUME_LOCALE=C.UTF-8 TORUME_WINEPREFIX="$work/prefix-c"
source "$(dirname "$0")/wine-env.sh"
prepare_prefix
check "torume-calc.exe under C.UTF-8 loads a file through its dialog" "defense label: 30" \
  "$(wine "$drive" time "$work/torume/torume-calc.exe" "$work/torume/examples/worked-example.txt" 2>&1 |
     tr -d '\r' | sed -n 's/^loaded in [0-9]* ms; //p')"

exit $((failures > 0))
