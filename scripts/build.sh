#!/usr/bin/env bash
# Configures and builds into the given folder: build.sh BUILD_DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@"
cmake --build "$dir" --parallel "$(nproc)"
