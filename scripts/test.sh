#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test suite: native,
# native under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a short, bounded time (then scripts/fuzz.sh briefly, so that
# the script cannot break unseen), the web edition in headless Chromium
# (after native: it compares its results with torume's), and the Windows
# programs cross-built with MinGW-w64 and tested under Wine, the release
# zip among them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh core fuzz web windows release

for preset in native sanitize fuzz web windows; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [[ $preset == windows ]]; then
    scripts/release.sh # dist/torume-<version>-windows-x64.zip, for the release test
    scripts/with-display.sh ctest --preset "$preset"
  else
    ctest --preset "$preset" -j"$(nproc)"
  fi
  if [[ $preset == fuzz ]]; then
    scripts/fuzz.sh 1000
  fi
done
