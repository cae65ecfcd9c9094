#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
# Usage: scripts/install-deps.sh GROUP...
#   core       native build and tests (g++, CMake, GoogleTest, CLI11, JSON;
#              python3-jsonschema validates torume's JSON against its schema)
#   windows    cross build with MinGW-w64 (with CLI11 and JSON), Wine with a
#              Japanese locale, Xvfb
#   bench      Google Benchmark, GNU time and valgrind (callgrind)
#   fuzz       clang with libFuzzer and the sanitizer runtimes
#   screenshot ImageMagick, to capture the window
#   release    packing and unpacking the release zip
#   web        Emscripten for the web edition, headless Chromium and
#              Selenium for its browser test, npm for the test's axe-core
#              (which the build installs from the lock file with npm ci)
set -euo pipefail

packages_of() {
  case "$1" in
    core) echo "cmake ninja-build g++ libgtest-dev libcli11-dev nlohmann-json3-dev python3 python3-jsonschema" ;;
    windows) echo "cmake ninja-build g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest
                   libcli11-dev nlohmann-json3-dev
                   wine wine64 fonts-wine xvfb x11-utils xauth locales fonts-ipafont-gothic" ;;
    bench) echo "libbenchmark-dev time valgrind" ;;
    fuzz) echo "cmake ninja-build clang libclang-rt-14-dev" ;;
    screenshot) echo "imagemagick" ;;
    release) echo "python3 unzip" ;;
    web) echo "cmake ninja-build emscripten node-acorn chromium chromium-driver python3-selenium" ;;
    *) echo "unknown package group: $1" >&2; exit 2 ;;
  esac
}

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

wanted=()
for group in "$@"; do
  for package in $(packages_of "$group"); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || wanted+=("$package")
  done
done

if ((${#wanted[@]})); then
  echo "installing: ${wanted[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}"
fi

# npm comes with a Node.js of its own where one is installed; Debian's
# Node.js has it in a package of its own.
if [[ " $* " == *" web "* ]] && ! command -v npm >/dev/null; then
  echo "installing: npm"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends npm
fi

# Wine takes its ANSI code page (932) from the Japanese locale.
if [[ " $* " == *" windows "* ]] && ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "generating the ja_JP.UTF-8 locale"
  "${as_root[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
