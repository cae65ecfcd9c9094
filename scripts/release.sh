#!/usr/bin/env bash
# Builds the Windows release, dist/torume-<version>-windows-x64.zip:
# torume-calc.exe, torume.exe, examples/ with CR LF line ends and the
# player's guide README.txt (UTF-8 with a byte-order mark and CR LF, as
# Notepad reads it best). The same sources give the same bytes: the
# programs carry no link time, the zip fixed times, order and permissions.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows release
cmake --preset release >/dev/null
cmake --build --preset release --target torume-calc torume

version="$(sed -n 's/^#define TORUME_VERSION "\(.*\)"$/\1/p' build/release/generated/Version.h)"
[[ -n "$version" ]] || { echo "no version in build/release/generated/Version.h" >&2; exit 1; }
name="torume-$version-windows-x64"

stage=build/release/stage
rm -rf "$stage"
mkdir -p "$stage/examples" dist
cp build/release/app/torume-calc.exe build/release/cli/torume.exe "$stage/"
with_crlf() { LC_ALL=C sed 's/\r*$/\r/' "$@"; }
for example in examples/*.txt; do
  with_crlf "$example" >"$stage/examples/${example##*/}"
done
{
  printf '\xEF\xBB\xBF'
  with_crlf docs/player-guide.txt | sed "s/@VERSION@/$version/g"
} >"$stage/README.txt"

scripts/make-zip.py "dist/$name.zip" "$stage"
echo "dist/$name.zip"
