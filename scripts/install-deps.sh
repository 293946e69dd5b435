#!/bin/sh
# Installs the Debian packages that building and playing Quandrel need: the
# compiler, CMake, pkg-config, SDL2, stb, libcurl and nlohmann/json. scripts/install-test-deps.sh adds
# what the tests, the browser build and the packaging need.
set -e
SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get -y -qq -o DPkg::Lock::Timeout=600 install --no-install-recommends \
  build-essential cmake pkg-config \
  libsdl2-dev libstb-dev libcurl4-openssl-dev nlohmann-json3-dev \
  >/dev/null
