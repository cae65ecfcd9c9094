#!/usr/bin/env bash
# Runs a Windows program headless under the project's Wine environment;
# CTest's emulator for the cross-built tests.
set -euo pipefail
export TORUME_HEADLESS=1
source "$(dirname "$0")/wine-env.sh"
start_headless_display
prepare_prefix
exec wine "$@"
