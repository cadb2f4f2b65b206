#!/usr/bin/env bash
# Configures and builds into the given folder: build.sh BUILD_DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@"
cmake --build "$dir" --parallel "$(nproc)"
