#!/bin/sh
# Builds Framora for Windows, assembles its program folder (framora.exe, ffmpeg.exe,
# ffprobe.exe, font.ttf, license.txt) in build/windows/Framora and starts it under Wine.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

cmake --preset windows
cmake --build --preset windows --target framora framora_program_tools
cmake --install build/windows --prefix build/windows/Framora

folder="$(pwd)/build/windows/Framora"
echo "Program folder: $folder"
cd "$folder"
# Same private prefix as the tests, on the caller's display (xvfb-run on a headless machine).
status=0
../wine-run.sh ./framora.exe || status=$?
../wine-run.sh --stop
exit "$status"
