#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds:
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/install-deps.sh --tests
ZEPHONIC_BUILD_TARGET=fuzzers scripts/build.sh build-fuzz -DZEPHONIC_FUZZ=ON -DZEPHONIC_TESTS=OFF \
  -DZEPHONIC_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find build-fuzz/fuzz -maxdepth 2 -type f -executable -name 'fuzz_*' -printf '%f\n' | sort)
fi
status=0
for t in "${targets[@]}"; do
  bin=$(find build-fuzz/fuzz -type f -executable -name "$t" | head -1)
  work=build-fuzz/corpus-work/$t
  mkdir -p "$work"
  seeds=fuzz/corpus/$t
  [ -d "$seeds" ] || seeds=""
  echo "== $t for ${seconds}s"
  if ! "$bin" -max_total_time="$seconds" -print_final_stats=0 "$work" $seeds >"build-fuzz/$t.log" 2>&1; then
    echo "!! $t found a problem: see build-fuzz/$t.log"
    status=1
  else
    tail -1 "build-fuzz/$t.log"
  fi
done
exit $status
