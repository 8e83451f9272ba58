#!/bin/sh
# Builds the Windows benchmarks and runs them under Wine; prints "name: value" lines.
# Arguments pick groups: runner, settings, conversion (default: all).
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target framora_bench >/dev/null
media="$(pwd)/build/windows/test-media"
sh tests/make-test-media.sh "$media"
cd build/windows/bin
status=0
FRAMORA_TEST_MEDIA="$media" ../wine-run.sh ./framora_bench.exe "$@" || status=$?
../wine-run.sh --stop
exit "$status"
