#!/usr/bin/env bash
# Builds the program and runs it with the calculator panel's initial values.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh core
cmake --preset native >/dev/null
cmake --build --preset native --target torume >/dev/null
build/native/cli/torume damage "$@"
