#!/bin/sh
# Installs the Debian packages that the tests, benchmarks, fuzzing, the browser
# build and the Debian package need, on top of scripts/install-deps.sh.
set -e
SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
APT="$SUDO apt-get -y -qq -o DPkg::Lock::Timeout=600"
$SUDO apt-get update -qq
$APT install --no-install-recommends \
  libgtest-dev libbenchmark-dev \
  xvfb xauth xdotool imagemagick \
  python3 python3-pil python3-numpy libharfbuzz-bin \
  fonts-wqy-microhei fonts-dejavu-core \
  clang llvm libclang-rt-14-dev valgrind \
  desktop-file-utils appstream \
  dpkg-dev lintian gettext opus-tools optipng \
  speech-dispatcher speech-dispatcher-espeak-ng \
  >/dev/null
# quandrel-server, its tests and its benchmark: its libraries, a PostgreSQL to
# test against (pg_virtualenv from postgresql-common), systemd-analyze for its
# unit, and wrk for its load.
$APT install --no-install-recommends \
  libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpq-dev \
  postgresql postgresql-common systemd wrk \
  >/dev/null
# The Windows build and its test under Wine: the MinGW-w64 cross compiler, NSIS
# for the installer, zip for the portable folder, Wine to run them, and the
# locale sources for the systems the installer is tried on.
$APT install --no-install-recommends \
  g++-mingw-w64-x86-64-posix nsis zip unzip wine wine64 locales \
  >/dev/null
# The browser build and its test: Emscripten, Chromium, and Node.js with npm
# (a machine may already carry its own Node.js, whose npm conflicts with Debian's).
$APT install emscripten chromium >/dev/null
command -v node >/dev/null || $APT install nodejs >/dev/null
command -v npm >/dev/null || $APT install npm >/dev/null
