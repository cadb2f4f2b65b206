#!/usr/bin/env bash
# Configures and builds into the given folder: build.sh BUILD_DIR [cmake options...]
# ZEPHONIC_BUILD_TARGET=NAME builds that target only.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@"
target=()
if [ -n "${ZEPHONIC_BUILD_TARGET:-}" ]; then
  target=(--target "$ZEPHONIC_BUILD_TARGET")
fi
cmake --build "$dir" --parallel "$(nproc)" "${target[@]}"
