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
# Same private prefix as the tests; a display is needed (use xvfb-run on a headless machine).
exec ./../wine-run.sh ./framora.exe
