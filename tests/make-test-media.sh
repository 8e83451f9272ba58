#!/bin/sh
# Makes the videos the tests convert and probe, with the host's ffmpeg.
set -eu
out="$1"
mkdir -p "$out"
make() {
  name="$1"
  shift
  [ -s "$out/$name" ] || ffmpeg -nostdin -hide_banner -loglevel error -y "$@" "$out/$name.tmp.${name##*.}"
  [ -s "$out/$name" ] || mv "$out/$name.tmp.${name##*.}" "$out/$name"
}
# 12.48 s at 25 frames per second, 160x120: ffprobe reports 12.480000.
make clip.mp4 -f lavfi -i testsrc=size=160x120:rate=25:duration=12.48 -pix_fmt yuv420p
# A second, different video: 3 s, 96x64.
make short.mkv -f lavfi -i testsrc2=size=96x64:rate=10:duration=3 -pix_fmt yuv420p
# Not a video at all.
[ -s "$out/damaged.mp4" ] || printf 'this is not a video file\n' > "$out/damaged.mp4"
