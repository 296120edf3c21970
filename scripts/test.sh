#!/bin/sh
# Installs what is missing, builds everything in build/ and runs all tests through CTest.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTOLMARA_WERROR="${TOLMARA_WERROR:-OFF}" >/dev/null
cmake --build build -j"$(nproc)"
cd build && ctest --output-on-failure -j"$(nproc)"
