#!/bin/sh
# Cross-builds the game for 64-bit Windows with Debian's MinGW-w64 and makes
#   OUTDIR/quandrel-VERSION-windows-x64.zip   the portable folder
#   OUTDIR/quandrel-VERSION-setup.exe         the NSIS installer
# Usage: scripts/build-windows.sh OUTDIR
# The build tree is build-windows/ in the source (QUANDREL_WINDOWS_BUILD to move it).
# Needs: g++-mingw-w64-x86-64-posix, nsis, zip (scripts/install-test-deps.sh).
set -eu
out=${1:?usage: scripts/build-windows.sh OUTDIR}
source=$(cd "$(dirname "$0")/.." && pwd)
build=${QUANDREL_WINDOWS_BUILD:-$source/build-windows}
mkdir -p "$out"
out=$(cd "$out" && pwd)

# The sources compile in batches (a unity build): a third less work for a
# build from scratch.
launcher=
if command -v ccache >/dev/null; then
  launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
fi
# shellcheck disable=SC2086
cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON -DQUANDREL_TESTS=OFF -DQUANDREL_BENCH=OFF $launcher >/dev/null
cmake --build "$build" -j"$(nproc)" --target quandrel >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=quandrel-$version
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# Stripping stamps the program with SOURCE_DATE_EPOCH, else with the time of
# day: the time the program was linked keeps the same build's bytes the same.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(stat -c %Y "$build/quandrel.exe")} \
  cmake --install "$build" --prefix "$stage/$name" --strip >/dev/null

# The zip and the installer are made again only when what goes into them
# changed (the installer's compression takes most of a rebuild's time).
stamp=$( (cd "$stage" && find . -type f | LC_ALL=C sort | xargs sha256sum
  cd "$source/packaging/windows" && sha256sum ./*
  makensis -VERSION) | sha256sum)
if [ "$(cat "$out/$name.stamp" 2>/dev/null)" != "$stamp" ] ||
   [ ! -f "$out/$name-windows-x64.zip" ] || [ ! -f "$out/$name-setup.exe" ]; then
  rm -f "$out/$name.stamp" "$out/$name-windows-x64.zip"
  (cd "$stage" && zip -qr -X "$out/$name-windows-x64.zip" "$name")
  makensis -V2 -DVERSION="$version" -DSTAGE="$stage/$name" -DOUTFILE="$out/$name-setup.exe" \
    "$source/packaging/windows/installer.nsi"
  echo "$stamp" > "$out/$name.stamp"
fi
echo "$out/$name-windows-x64.zip"
echo "$out/$name-setup.exe"
