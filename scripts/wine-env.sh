# Sourced: the Wine environment of the project's Windows tests and runs.
# A prefix of the project's own, a Japanese locale (ANSI code page 932) and
# a display (an Xvfb server on :77 unless DISPLAY is set already).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${TORUME_WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

start_display() {
  if [[ -z "${DISPLAY:-}" ]]; then
    export DISPLAY=:77
  fi
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
}

# First use: create the prefix, map the face the program asks for,
# "ＭＳ ゴシック", to the IPA Gothic font, and let Wine draw the window
# frames itself, unmanaged (Xvfb has no window manager, so Wine would wait
# for one on every window it hides).
prepare_prefix() {
  if [[ ! -f "$WINEPREFIX/.torume-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.torume-ready"
  fi
}
