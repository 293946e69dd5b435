#!/bin/bash
# Builds the browser version of Quandrel with Emscripten into web/ (or the
# directory given): index.html, its script quandrel.js, the module
# quandrel.wasm, quandrel-<language>.data with its loader .js (that
# language's menu picture, resources and catalogue), quandrel-later.data and
# quandrel-later-<language>.data with their loaders (the sounds and every
# other picture, loaded during the splash), splash-<language>.png (the splash
# the page shows first),
# the web app manifest with its icons, and the service worker sw.js that lets
# the game play offline. The folder is ready for any static web host.
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

# -O3 and not -Os: -Os saves 25 KB gzipped but decodes the pictures slower,
# which delays the first frame more than the bytes saved bring it forward.
# A unity build: the sources compile in batches, half the work of a build
# from scratch (em++ starts slowly, once per batch instead of once per file).
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_CXX_FLAGS_RELEASE="-O3 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O3 -DNDEBUG" \
  -DQUANDREL_SDL=OFF -DQUANDREL_TESTS=OFF -DQUANDREL_BENCH=OFF >/dev/null
cmake --build "$build" --target quandrel -j"${JOBS:-2}"

mkdir -p "$out"
web=$root/src/platform/web
# One package of pictures per language: the page loads its language's only.
languages=()
for package in "$build"/quandrel-*.data; do
  language=${package##*/quandrel-}
  [[ $language == later* ]] || languages+=("${language%.data}")
done
if [ ${#languages[@]} -eq 0 ]; then
  echo "build-web.sh: no language package in $build" >&2
  exit 1
fi
list=$(printf "'%s', " "${languages[@]}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -f "$out"/quandrel-*.js "$out"/quandrel-*.data "$out"/quandrel.data
sed -e "s/@LANGUAGES@/${list%, }/" -e "s/@VERSION@/$version/" "$web/index.html" >"$out/index.html"
cp "$web/manifest.webmanifest" "$out/"
cp "$root/assets/icons/quandrel-64.png" "$out/favicon.png"
cp "$root/assets/icons/quandrel-192.png" "$out/icon-192.png"
cp "$root/assets/icons/quandrel-512.png" "$out/icon-512.png"
for file in quandrel.js quandrel.wasm; do
  cp "$build/$file" "$out/$file"
done
cp "$build"/quandrel-*.js "$build"/quandrel-*.data "$out/"
# Each language's splash: its own picture, else the original; as optipng
# made it for the page when the build had optipng.
rm -f "$out"/splash-*.png
pictures=$build/src/platform/web/pictures
for language in "${languages[@]}"; do
  splash=Images/$language/splash.png
  [ -f "$root/assets/$splash" ] || splash=Images/splash.png
  if [ -f "$pictures/$splash" ]; then
    cp "$pictures/$splash" "$out/splash-$language.png"
  else
    cp "$root/assets/$splash" "$out/splash-$language.png"
  fi
done

# The service worker that keeps the page for offline play, its cache named
# after this build.
hash=$("$web/make_service_worker.sh" "$out")
echo "build-web.sh: the page is in $out (build $hash); publish the folder's files as they are on any static web host"
