#!/usr/bin/env bash
# Remakes docs/screenshot.png and docs/analysis.png under Xvfb: the window
# with the worked example loaded through the menu command and its open-file
# dialog; then examples/partial-success.txt, its fourth damage marked, with
# the dialog "候補一覧と診断" in front.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows screenshot
cmake --preset windows >/dev/null
cmake --build --preset windows --target torume-calc torume-drive

export TORUME_HEADLESS=1
source scripts/wine-env.sh
use_headless_display

wine build/windows/app/torume-drive.exe load build/windows/app/torume-calc.exe "$PWD/examples/worked-example.txt"
mkdir -p docs
# The window's outer rectangle: 700 x 700 at (30, 30).
import -window root -crop 700x700+30+30 +repage docs/screenshot.png
echo "docs/screenshot.png"

shown="$(wine build/windows/app/torume-drive.exe report "$PWD/examples/partial-success.txt" | tr -d '\r')"
import -window root -crop "$shown" +repage docs/analysis.png
echo "docs/analysis.png"
