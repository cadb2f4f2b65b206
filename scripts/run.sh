#!/usr/bin/env bash
# Installs what is missing, builds the player and starts it (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/src/app/zephonic "$@"
fi
exec build/src/app/zephonic "$@"
