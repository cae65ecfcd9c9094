#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test suite: native,
# native under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a short, bounded time (then scripts/fuzz.sh briefly, so that
# the script cannot break unseen), the web edition in headless Chromium
# (after native: it compares its results with torume's), and the Windows
# programs cross-built with MinGW-w64 and tested under Wine, the release
# zip among them, in a Japanese locale and again in C.UTF-8, as on a
# Windows in another language; then, in both, the tests that hold at any
# display scaling again at 144 DPI (150 %).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh core fuzz web windows release

for preset in native sanitize fuzz web windows; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [[ $preset == windows ]]; then
    scripts/release.sh # dist/torume-<version>-windows-x64.zip, for the release test
    # In Japanese (code page 932), then as on a Windows in another language;
    # both again at 150 %, the tests that hold at any display scaling.
    scripts/with-display.sh ctest --preset "$preset"
    TORUME_LOCALE=C.UTF-8 scripts/with-display.sh ctest --preset "$preset" -E '^release$'
    TORUME_DPI=144 scripts/with-display.sh ctest --preset "$preset" -L scaling
    TORUME_DPI=144 TORUME_LOCALE=C.UTF-8 scripts/with-display.sh ctest --preset "$preset" -L scaling
  else
    ctest --preset "$preset" -j"$(nproc)"
  fi
  if [[ $preset == fuzz ]]; then
    scripts/fuzz.sh 1000
  fi
done
