#!/bin/sh
# Builds everything and runs every test: the portable logic natively (ASan, UBSan), then the
# Windows build with all of its tests under Wine. Exits non-zero on the first failure.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
