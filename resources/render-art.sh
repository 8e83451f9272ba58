#!/usr/bin/env bash
# Renders the pictures in resources/art/*.svg into the multi-size icons that art.rc puts
# into the executable, plus art/app-256.png for the documentation. The outputs are
# committed beside the SVGs, so the build never needs these tools: run this script after
# changing a picture and commit what it writes.
#
#   bash resources/render-art.sh
#
# Every size up to 128 is stored as a 32-bit BMP entry with alpha, which every Windows
# version and Wine's user32 decode; only the 256-pixel application icon is stored as PNG.
set -euo pipefail

need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "render-art.sh: '$1' is missing; install the Debian package $2 (apt-get install $2)" >&2
    exit 1
  fi
}
need rsvg-convert librsvg2-bin
need icotool icoutils

art="$(cd "$(dirname "${BASH_SOURCE[0]}")/art" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The sizes each picture is asked for. Toolbar pictures are 64 at 96 DPI (80, 96, 128 at
# 120, 144, 192 DPI) and 16 to 32 beside menu items; list rows and the folder button use
# 16 to 32, with 40 and 48 for very high DPI.
app_sizes="16 20 24 32 40 48 64 256"
toolbar_sizes="16 20 24 32 40 48 64 80 96 128"
small_sizes="16 20 24 32 40 48"

# Sizes below 24 come from <name>-16.svg when the picture has one: a simplified drawing
# on the 16-pixel grid that stays sharp where the full drawing would blur.
source_for() {
  local name="$1" size="$2"
  if [ "$size" -lt 24 ] && [ -f "$art/$name-16.svg" ]; then
    echo "$art/$name-16.svg"
  else
    echo "$art/$name.svg"
  fi
}

render_icon() {
  local name="$1" sizes="$2" size png
  local entries=()
  for size in $sizes; do
    png="$work/$name-$size.png"
    rsvg-convert --width="$size" --height="$size" --format=png \
      --output="$png" "$(source_for "$name" "$size")"
    if [ "$size" -ge 256 ]; then
      entries+=("--raw=$png")
    else
      entries+=("$png")
    fi
  done
  icotool --create --bit-depth=32 --output="$art/$name.ico" "${entries[@]}"
  echo "$name.ico: $sizes"
}

render_icon app "$app_sizes"
for name in add-files feedback about help; do
  render_icon "$name" "$toolbar_sizes"
done
for name in folder file-video exit reset; do
  render_icon "$name" "$small_sizes"
done

cp "$work/app-256.png" "$art/app-256.png"
echo "app-256.png"
