#!/usr/bin/env bash
# Installs the Debian 12 packages Zephonic builds and runs with; with --tests also those the tests,
# benchmarks and fuzz targets need. Skips apt when all are there.
set -euo pipefail

# What building and running the player needs.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libsdl2-dev
  libcdio-dev libcdio-paranoia-dev libfftw3-dev libopenmpt-dev libzip-dev libdeflate-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  gstreamer1.0-x gstreamer1.0-gl
  libcurl4-openssl-dev libssl-dev openssl zlib1g-dev
  libx11-dev libxtst-dev
  xvfb xauth fonts-dejavu-core desktop-file-utils
)
# What the tests, the benchmarks, the fuzz targets and the format check add: compilers and
# libraries of their own, media tools and peers to measure against, a desktop to drive.
test_packages=(
  clang libclang-rt-14-dev libfuzzer-14-dev clang-format-16
  gstreamer1.0-tools gstreamer1.0-plugins-base-apps
  libgtest-dev libgmock-dev libbenchmark-dev libtag1-dev
  ffmpeg sox cdrdao musepack-tools icecast2 mpv
  libjmac-java default-jre-headless zip dvdauthor genisoimage xdotool dbus playerctl xdg-utils
  openbox wmctrl x11-utils trayer imagemagick pulseaudio pulseaudio-utils
  qmmp
)
if [ "${1:-}" = "--tests" ]; then
  packages+=("${test_packages[@]}")
fi

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
