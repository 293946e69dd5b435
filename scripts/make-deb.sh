#!/bin/bash
# Makes the Debian package quandrel_<version>_<arch>.deb from a Release build
# in build-deb (or $QUANDREL_DEB_BUILD), built with Debian's hardening flags,
# and leaves it in the folder given (the current one by default); beside it
# quandrel-server_<version>_<arch>.deb when the server's libraries are
# installed (scripts/install-deps.sh; -DQUANDREL_SERVER=OFF leaves it out).
# Needs dpkg-dev (dpkg-shlibdeps, dpkg-buildflags); lintian checks the result.
# Usage: scripts/make-deb.sh [OUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
build=${QUANDREL_DEB_BUILD:-$root/build-deb}

for tool in dpkg-shlibdeps dpkg-buildflags cpack; do
  if ! command -v "$tool" >/dev/null; then
    echo "make-deb.sh: $tool is missing (apt-get install dpkg-dev cmake)" >&2
    exit 1
  fi
done

# Debian's compiler and linker flags, every hardening feature on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DQUANDREL_TESTS=OFF -DQUANDREL_BENCH=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
for package in quandrel quandrel-server; do
  deb=$(ls -t "$out"/${package}_*.deb 2>/dev/null | head -n 1)
  [ -z "$deb" ] || echo "make-deb.sh: $deb"
done
