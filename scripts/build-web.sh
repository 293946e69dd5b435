#!/bin/bash
# Builds the browser version of Quandrel with Emscripten into web/ (or the
# directory given): index.html, its script quandrel.js, the module
# quandrel.wasm, quandrel.data (the pictures and sounds it preloads) and the
# page's icon.
# Environment: QUANDREL_WEB_BUILD (the CMake build directory, build-web by
# default), JOBS (parallel compile jobs, 2 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/web}
build=${QUANDREL_WEB_BUILD:-$root/build-web}

if ! command -v emcmake >/dev/null || ! command -v em++ >/dev/null; then
  echo "build-web.sh: Emscripten is missing (apt-get install emscripten)" >&2
  exit 1
fi
# Debian's Emscripten finds its JavaScript parser among the system's Node modules.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DQUANDREL_SDL=OFF -DQUANDREL_TESTS=OFF -DQUANDREL_BENCH=OFF >/dev/null
cmake --build "$build" --target quandrel -j"${JOBS:-2}"

mkdir -p "$out"
cp "$root/src/platform/web/index.html" "$out/index.html"
cp "$root/assets/icons/quandrel-64.png" "$out/favicon.png"
for file in quandrel.js quandrel.wasm quandrel.data; do
  cp "$build/$file" "$out/$file"
done
echo "build-web.sh: the page is in $out"
