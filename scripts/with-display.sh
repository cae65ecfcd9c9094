#!/usr/bin/env bash
# Runs a command with one headless Xvfb display and the project's headless
# Wine prefix for all the Windows programs it starts (through
# scripts/wine-run.sh), then stops that display and that prefix's Wine.
set -euo pipefail
export TORUME_HEADLESS=1
source "$(dirname "$0")/wine-env.sh"
use_headless_display
export TORUME_HEADLESS_DISPLAY="$DISPLAY"
status=0
"$@" || status=$?
exit "$status"
