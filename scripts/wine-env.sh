# Sourced: the Wine environment of the project's Windows runs and tests:
# a prefix of the project's own and a Japanese locale (ANSI code page 932).
#
# TORUME_LOCALE names another locale, such as C.UTF-8 (ANSI code page
# 1252), as a player's non-Japanese Windows would be; it gets a prefix of
# its own, named after it.
#
# TORUME_DPI names a display scaling other than 96 DPI (100 %), such as 144
# (150 %): it gets a prefix of its own whose LogPixels is written before
# first use, and a headless screen as many times larger.
#
# TORUME_HEADLESS=1 (tests, screenshots) uses a prefix of its own whose
# windows Wine frames itself, unmanaged, on an Xvfb display: Xvfb has no
# window manager, and Wine would wait for one on every window it hides.
#
# TORUME_WINEPREFIX, when set, names the prefix instead (the release test
# uses a fresh one, as a player's machine would be).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
locale="${TORUME_LOCALE:-ja_JP.UTF-8}"
suffix=""
[[ "$locale" == ja_JP.UTF-8 ]] || suffix="-$locale"
dpi="${TORUME_DPI:-96}"
[[ "$dpi" == 96 ]] || suffix="$suffix-${dpi}dpi"
if [[ -n "${TORUME_WINEPREFIX:-}" ]]; then
  export WINEPREFIX="$TORUME_WINEPREFIX"
elif [[ "${TORUME_HEADLESS:-}" == 1 ]]; then
  export WINEPREFIX="$root/build/wineprefix-headless$suffix"
else
  export WINEPREFIX="$root/build/wineprefix$suffix"
fi
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG="$locale" LC_ALL="$locale"

# A headless display of our own: Xvfb picks a free display number and
# tells it through -displayfd; only that server is stopped, by its id.
start_headless_display() {
  local fifo number
  fifo="$(mktemp -u "${TMPDIR:-/tmp}/torume-xvfb.XXXXXX")"
  mkfifo "$fifo"
  # The screen of a 1024 x 768 desktop at the prefix's scaling.
  Xvfb -displayfd 3 -screen 0 "$((1024 * dpi / 96))x$((768 * dpi / 96))x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TORUME_XVFB_PID=$!
  if ! read -r -t 20 number <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
}

# Ends the Wine processes of our own prefix, then the Xvfb we started.
stop_headless_display() {
  wineserver -k 2>/dev/null || true
  if [[ -n "${TORUME_XVFB_PID:-}" ]]; then
    kill "$TORUME_XVFB_PID" 2>/dev/null || true
    wait "$TORUME_XVFB_PID" 2>/dev/null || true
    TORUME_XVFB_PID=
  fi
}

# Marlett, from Wine's own fonts (Debian's fonts-wine), draws the caption
# buttons' symbols; Debian's Wine does not load it from where the package
# puts it, and the buttons would show the letters "0 1 r". Only Marlett:
# Wine's bitmap System fonts lack the Japanese glyphs that the fallback
# font supplies now. Also copied into older prefixes.
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [[ -f /usr/share/wine/fonts/marlett.ttf && -d "$fonts" ]] || return 0
  cp -n /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# The display for a script's Windows programs: the suite's own
# (TORUME_HEADLESS_DISPLAY, started by scripts/with-display.sh) when there
# is one, else a headless one of the script's own, stopped on exit with
# the Wine of its prefix; then the prefix, ready.
use_headless_display() {
  if [[ -n "${TORUME_HEADLESS_DISPLAY:-}" ]]; then
    export DISPLAY="$TORUME_HEADLESS_DISPLAY"
  else
    start_headless_display
    trap stop_headless_display EXIT
  fi
  prepare_prefix
}

# Windows of every language link their interface fonts to a Japanese one
# for the characters they lack, so that a title bar or a menu shows
# Japanese; Wine's prefix gets the same links, to IPA Gothic.
link_japanese_font() {
  local face
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
  done
  wineserver -w
}

# The system's DPI, read by Wine at start-up: for the desktop, and for the
# fonts sized from it.
set_prefix_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
}

# First use: create the prefix and map the face the program asks for,
# "ＭＳ ゴシック", to the IPA Gothic font.
prepare_prefix() {
  if [[ ! -f "$WINEPREFIX/.torume-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    [[ "$dpi" == 96 ]] || set_prefix_dpi
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
    if [[ "${TORUME_HEADLESS:-}" == 1 ]]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.torume-ready"
  fi
  if [[ ! -f "$WINEPREFIX/.torume-font-link" ]]; then
    link_japanese_font
    touch "$WINEPREFIX/.torume-font-link"
  fi
  install_wine_fonts
}
