#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite: first the ordinary
# build, then the same suite under AddressSanitizer + UndefinedBehaviorSanitizer.
# ZEPHONIC_SKIP_SANITIZE=1 runs the ordinary build only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen ZEPHONIC_REPORT=stderr
jobs=$(nproc)

scripts/build.sh build -DZEPHONIC_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$jobs"

if [ "${ZEPHONIC_SKIP_SANITIZE:-0}" != "1" ]; then
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  scripts/build.sh build-asan -DZEPHONIC_WERROR=ON -DZEPHONIC_SANITIZE=ON -DZEPHONIC_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
  ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
fi
