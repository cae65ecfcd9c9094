#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
# Usage: scripts/install-deps.sh GROUP...   (groups: core)
set -euo pipefail

packages_of() {
  case "$1" in
    core) echo "cmake ninja-build g++ libgtest-dev libcli11-dev nlohmann-json3-dev" ;;
    *) echo "unknown package group: $1" >&2; exit 2 ;;
  esac
}

wanted=()
for group in "$@"; do
  for package in $(packages_of "$group"); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || wanted+=("$package")
  done
done

if ((${#wanted[@]})); then
  echo "installing: ${wanted[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}"
fi
