#!/usr/bin/env bash
# Runs a Windows program headless under the project's Wine environment;
# CTest's emulator for the cross-built tests. It uses the display in
# TORUME_HEADLESS_DISPLAY (scripts/with-display.sh starts one for the whole
# suite); without one it starts its own Xvfb for this run and stops it
# afterwards.
set -euo pipefail
export TORUME_HEADLESS=1
source "$(dirname "$0")/wine-env.sh"
use_headless_display
status=0
wine "$@" || status=$?
exit "$status"
