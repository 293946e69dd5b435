#!/bin/bash
# Writes PAGE_DIR/sw.js, the page's service worker, from service_worker.js:
# the list of the page's files, and a cache named after their contents, so any
# changed file makes a new worker that replaces the old cache.
# Usage: make_service_worker.sh PAGE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
page=${1:?usage: make_service_worker.sh PAGE_DIR}
# Every language's package too: offline play in whichever language the page picks.
files=(index.html manifest.webmanifest favicon.png icon-192.png icon-512.png quandrel.js quandrel.wasm)
files+=($(cd "$page" && ls quandrel-*.js quandrel-*.data splash-*.png))
hash=$(cd "$page" && sha256sum "${files[@]}" | sha256sum | cut -c1-16)
list="'./'"
for file in "${files[@]}"; do list+=", '$file'"; done
sed -e "s/@BUILD@/$hash/" -e "s|@FILES@|$list|" "$here/service_worker.js" >"$page/sw.js"
echo "$hash"
