#!/bin/sh
# Builds the game, its tools and all tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/, runs the whole test suite through CTest, then a short soak of random play on every
# shipped level (TOLMARA_SOAK_SECONDS of real time per level, default 5) with the sanitizers
# watching every cell read and write. Any sanitizer report fails the run.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-asan -DTOLMARA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLMARA_WERROR="${TOLMARA_WERROR:-OFF}" >/dev/null
# The build runs the asset builder and level compiler (sanitized too): memory errors stop it, but
# what those short-lived tools leave unfreed at exit is not checked.
ASAN_OPTIONS=detect_leaks=0 cmake --build build-asan -j"$(nproc)"
# Leaks are reported too, except inside the system's own libraries (fonts, audio and video
# drivers), which keep their caches until the process ends.
SUPP=$(pwd)/build-asan/lsan.supp
printf 'leak:libfontconfig\nleak:libSDL2\nleak:libdbus\nleak:libasound\nleak:libpulse\n' >"$SUPP"
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS=suppressions=$SUPP
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$(nproc)")
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-asan/game/tolmara-soak --game-seconds 3600 \
  --wall-seconds "${TOLMARA_SOAK_SECONDS:-5}"
