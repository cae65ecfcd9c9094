#!/usr/bin/env bash
# Runs a Windows program headless under the project's Wine environment;
# CTest's emulator for the cross-built tests. It uses the display in
# TORUME_HEADLESS_DISPLAY (scripts/test.sh starts one for the whole suite);
# without one it starts its own Xvfb for this run and stops it afterwards.
set -euo pipefail
export TORUME_HEADLESS=1
source "$(dirname "$0")/wine-env.sh"
if [[ -n "${TORUME_HEADLESS_DISPLAY:-}" ]]; then
  export DISPLAY="$TORUME_HEADLESS_DISPLAY"
  prepare_prefix
  exec wine "$@"
fi
start_headless_display
trap stop_headless_display EXIT
prepare_prefix
status=0
wine "$@" || status=$?
exit "$status"
