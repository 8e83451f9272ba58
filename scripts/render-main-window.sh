#!/bin/sh
# Renders the main window under Wine and Xvfb into docs/main-window.png (a first start) and
# docs/main-window-videos.png (clip.mp4, short.mkv and damaged.mp4 listed).
#
#   sh scripts/render-main-window.sh [build folder]     (default build/windows)
#
# The window asks for Tahoma, which Wine has only in its own fonts (Debian's fonts-wine);
# without it Wine substitutes a wider font and the settings panel's labels run into each
# other. The script takes tahoma.ttf from FRAMORA_WINE_FONTS, /usr/share/wine/fonts, or the
# fonts-wine package fetched with apt-get into the build folder, and puts it into a Wine
# prefix of its own, so the tests' windows are not affected.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build/windows}" && cd "${1:-$root/build/windows}" && pwd)
fonts=${FRAMORA_WINE_FONTS:-/usr/share/wine/fonts}
if [ ! -f "$fonts/tahoma.ttf" ]; then
  fonts="$build/fonts-wine/usr/share/wine/fonts"
  if [ ! -f "$fonts/tahoma.ttf" ]; then
    (cd "$build" && rm -f fonts-wine_*.deb && apt-get download fonts-wine >/dev/null &&
      dpkg -x fonts-wine_*.deb fonts-wine && rm -f fonts-wine_*.deb)
  fi
fi

cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j2 --target main_window_shot
sh "$root/tests/make-test-media.sh" "$build/test-media"

out=$(mktemp -d)
# A prefix of its own: the frame setting below must not change how the tests' windows behave.
prefix="$build/shot-wineprefix"
run() { FRAMORA_WINEPREFIX="$prefix" "$build/wine-run.sh" "$@"; }

# One X server of its own for every Wine start below, ended with the script.
xvfb=""
finish() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$out"
}
trap finish EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out/display" >/dev/null 2>&1 &
  xvfb=$!
  tries=0
  until [ -s "$out/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "render-main-window: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  DISPLAY=":$(cat "$out/display")"
  export DISPLAY
fi

# Xvfb runs no window manager; with this Wine draws the caption and the frame itself.
run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
# Smoothed text, as Windows shows it by default (grey, not coloured ClearType).
run reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /d 2 /f >/dev/null
run reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 1 /f >/dev/null
# Read by Wine when a session starts: the window below gets a session of its own.
WINEPREFIX="$prefix" wineserver -w
# Tahoma, and Marlett for the caption buttons. Wine's bold Tahoma is left out: it draws no
# heavier than the regular one, while the bold face Wine finds without it does.
cp "$fonts/tahoma.ttf" "$fonts/marlett.ttf" "$prefix/drive_c/windows/Fonts/"

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
run "$build/bin/main_window_shot.exe" "$(winpath "$out/first.bmp")" \
  "$(winpath "$out/videos.bmp")" "$(winpath "$build/test-media")"

mkdir -p "$root/docs"
# -strip: no time stamps in the files, so an unchanged window gives unchanged pictures.
convert "$out/first.bmp" -strip "$root/docs/main-window.png"
convert "$out/videos.bmp" -strip "$root/docs/main-window-videos.png"
echo "render-main-window: docs/main-window.png, docs/main-window-videos.png"
