# Sourced: the Wine environment of the project's Windows runs and tests:
# a prefix of the project's own and a Japanese locale (ANSI code page 932).
#
# TORUME_HEADLESS=1 (tests, screenshots) uses a prefix of its own whose
# windows Wine frames itself, unmanaged, on an Xvfb display: Xvfb has no
# window manager, and Wine would wait for one on every window it hides.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [[ "${TORUME_HEADLESS:-}" == 1 ]]; then
  export WINEPREFIX="$root/build/wineprefix-headless"
else
  export WINEPREFIX="$root/build/wineprefix"
fi
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# A headless display on :77 (started once, left for later runs).
start_headless_display() {
  export DISPLAY=:77
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
}

stop_headless_display() {
  wineserver -k 2>/dev/null || true
  pkill -f "Xvfb :77" 2>/dev/null || true
}

# First use: create the prefix and map the face the program asks for,
# "ＭＳ ゴシック", to the IPA Gothic font.
prepare_prefix() {
  if [[ ! -f "$WINEPREFIX/.torume-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
    if [[ "${TORUME_HEADLESS:-}" == 1 ]]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.torume-ready"
  fi
}
