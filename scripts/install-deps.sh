#!/usr/bin/env bash
# Installs the Debian 12 packages Zephonic builds, runs and tests with. Skips apt when all are there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev libfuzzer-14-dev clang-format-16
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libsdl2-dev
  libcdio-dev libcdio-paranoia-dev libfftw3-dev libopenmpt-dev libzip-dev libdeflate-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  gstreamer1.0-x gstreamer1.0-gl gstreamer1.0-tools gstreamer1.0-plugins-base-apps
  libcurl4-openssl-dev libssl-dev openssl zlib1g-dev
  libx11-dev libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev libtag1-dev
  ffmpeg sox cdrdao xvfb xauth fonts-dejavu-core musepack-tools icecast2 mpv
  libjmac-java default-jre-headless zip dvdauthor genisoimage xdotool dbus playerctl desktop-file-utils xdg-utils
  openbox wmctrl x11-utils trayer imagemagick pulseaudio pulseaudio-utils
  qmmp
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
