#!/usr/bin/env bash
# Runs a Windows program under the project's Wine environment; CTest's
# emulator for the cross-built tests.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
start_display
prepare_prefix
exec wine "$@"
