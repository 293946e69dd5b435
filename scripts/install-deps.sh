#!/bin/sh
# Installs the Debian packages that building and playing Quandrel need: the
# compiler, CMake, pkg-config, SDL2, stb, libcurl and nlohmann/json (the
# leaderboard's client). With --server also the libraries of quandrel-server,
# the daily leaderboard (cpp-httplib, SQLite, libpq), which the game does not
# need: without them the server is left out. scripts/install-test-deps.sh adds
# what the tests, the browser build and the packaging need (the server's
# libraries among them).
# Usage: scripts/install-deps.sh [--server]
set -e
SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get -y -qq -o DPkg::Lock::Timeout=600 install --no-install-recommends \
  build-essential cmake pkg-config \
  libsdl2-dev libstb-dev libcurl4-openssl-dev nlohmann-json3-dev \
  >/dev/null
if [ "${1:-}" = --server ]; then
  $SUDO apt-get -y -qq -o DPkg::Lock::Timeout=600 install --no-install-recommends \
    libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpq-dev \
    >/dev/null
fi
