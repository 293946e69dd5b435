#!/bin/sh
# Installs the Debian packages that building, running and testing Quandrel need.
set -e
SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake pkg-config \
  libsdl2-dev libstb-dev \
  libgtest-dev libbenchmark-dev \
  xvfb xauth xdotool imagemagick \
  python3 python3-pil python3-numpy libharfbuzz-bin espeak-ng sox \
  fonts-wqy-microhei fonts-droid-fallback fonts-dejavu-core \
  clang llvm libclang-rt-14-dev valgrind \
  >/dev/null
