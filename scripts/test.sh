#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test suite: native,
# native under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a short, bounded time, the web edition in headless Chromium
# (after native: it compares its results with torume's), and the Windows
# program cross-built with MinGW-w64 and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh core fuzz web windows

for preset in native sanitize fuzz web windows; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [[ $preset == windows ]]; then
    scripts/with-display.sh ctest --preset "$preset"
  else
    ctest --preset "$preset" -j"$(nproc)"
  fi
done
