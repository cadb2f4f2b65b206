#!/usr/bin/env bash
# Installs what is missing, builds the player and starts it (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHONIC_TESTS=OFF -DZEPHONIC_BENCH=OFF
# A machine without any sound device (a server, a fresh VM) still gets a player that starts: SDL's
# silent driver stands in, and the log says what was opened.
if [ -z "${SDL_AUDIODRIVER:-}" ] && [ ! -e /dev/snd ] && [ -z "${PULSE_SERVER:-}" ] &&
  [ ! -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ] &&
  [ ! -S "${XDG_RUNTIME_DIR:-/nonexistent}/pipewire-0" ]; then
  echo "No sound device found: playing through SDL's silent dummy driver."
  export SDL_AUDIODRIVER=dummy
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/src/app/zephonic "$@"
fi
exec build/src/app/zephonic "$@"
