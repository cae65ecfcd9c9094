#!/usr/bin/env bash
# Builds torume-calc.exe and opens its window: directly on Windows (Git
# Bash with MinGW-w64), under Wine elsewhere. Without a display, the window
# opens on a headless Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*)
    cmake -S . -B build/windows-native -G Ninja -DTORUME_TESTS=OFF
    cmake --build build/windows-native --target torume-calc
    exec build/windows-native/app/torume-calc.exe
    ;;
esac

scripts/install-deps.sh windows
cmake --preset windows >/dev/null
cmake --build --preset windows --target torume-calc

if [[ -z "${DISPLAY:-}" ]]; then
  export TORUME_HEADLESS=1
  source scripts/wine-env.sh
  use_headless_display
  echo "no display: the window opens on the headless display $DISPLAY"
  wine build/windows/app/torume-calc.exe
else
  source scripts/wine-env.sh
  prepare_prefix
  exec wine build/windows/app/torume-calc.exe
fi
