#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite: first the ordinary
# build, then the same suite under AddressSanitizer + UndefinedBehaviorSanitizer.
# ZEPHONIC_SKIP_SANITIZE=1 runs the ordinary build only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests

export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen ZEPHONIC_REPORT=stderr
jobs=$(nproc)

# Runs the suite of one build folder. Every tool a test needs is installed above, so a test that
# skipped or did not run is a failure too: the run fails and names it.
run_suite() {
  local dir=$1 log status=0
  log=$dir/ctest-output.log
  ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" 2>&1 | tee "$log" || status=$?
  local unrun
  unrun=$(grep -E '^[[:space:]]*[0-9]+ - .+ \((Skipped|Disabled|Not Run)\)[[:space:]]*$' "$log" || true)
  if [ -n "$unrun" ]; then
    echo "!! tests in $dir did not run; a tool they need is missing or they are disabled:" >&2
    echo "$unrun" >&2
    status=1
  fi
  return "$status"
}

scripts/build.sh build -DZEPHONIC_WERROR=ON -DZEPHONIC_TESTS=ON -DZEPHONIC_BENCH=ON
run_suite build

if [ "${ZEPHONIC_SKIP_SANITIZE:-0}" != "1" ]; then
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  scripts/build.sh build-asan -DZEPHONIC_WERROR=ON -DZEPHONIC_SANITIZE=ON -DZEPHONIC_TESTS=ON \
    -DZEPHONIC_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
  run_suite build-asan
fi
