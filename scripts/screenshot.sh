#!/usr/bin/env bash
# Remakes docs/screenshot.png and docs/analysis.png under Xvfb: the window
# with the worked example loaded through the menu command and its open-file
# dialog; then examples/partial-success.txt, its fourth damage marked, with
# the dialog "候補一覧と診断" in front. Then docs/screenshot-150.png: the
# window with the worked example at 150 % (144 DPI), on a display and in a
# prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows screenshot
cmake --preset windows >/dev/null
cmake --build --preset windows --target torume-calc torume-drive

export TORUME_HEADLESS=1

# For the rest of the calling subshell: a display and a prefix at DPI.
start_wine_at() { # DPI
  export TORUME_DPI="$1"
  unset TORUME_HEADLESS_DISPLAY # a display of this DPI's size, not a caller's
  source scripts/wine-env.sh
  use_headless_display
}

# The window with the worked example loaded, cut out by the place
# torume-drive reads. The window, left running, keeps torume-drive's
# output open: it goes to a file, which a pipe would wait on.
capture_worked_example() { # PNG
  local place=build/windows/window-place.txt
  wine build/windows/app/torume-drive.exe load build/windows/app/torume-calc.exe \
    "$PWD/examples/worked-example.txt" >"$place"
  import -window root -crop "$(tr -d '\r' <"$place")" +repage "$1"
  echo "$1"
}

mkdir -p docs
(
  start_wine_at 96
  capture_worked_example docs/screenshot.png
  shown="$(wine build/windows/app/torume-drive.exe report "$PWD/examples/partial-success.txt" | tr -d '\r')"
  import -window root -crop "$shown" +repage docs/analysis.png
  echo "docs/analysis.png"
)
(
  start_wine_at 144
  capture_worked_example docs/screenshot-150.png
)
