#!/bin/bash
# Writes PAGE_DIR/sw.js, the page's service worker, from service_worker.js:
# the page's own files, each language's files (its packages and splash), and
# a cache named after all their contents, so any changed file makes a new
# worker that replaces the old cache.
# Usage: make_service_worker.sh PAGE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
page=${1:?usage: make_service_worker.sh PAGE_DIR}
quoted() { printf "'%s', " "$@" | sed 's/, $//'; }
cd "$page"
# The page (as ./) with the icons it links, and the program; the manifest's
# large icon is fetched when the page is installed and needs no copy here.
files=(manifest.webmanifest favicon.png icon-192.png quandrel.js quandrel.wasm quandrel-later.js quandrel-later.data)
page_list="'./', $(quoted "${files[@]}")"
files+=(index.html icon-512.png)
language_list=""
for splash in splash-*.png; do
  language=${splash#splash-}
  language=${language%.png}
  own=("quandrel-$language.js" "quandrel-$language.data" "quandrel-later-$language.js"
       "quandrel-later-$language.data" "$splash")
  files+=("${own[@]}")
  language_list+="${language_list:+, }$language: [$(quoted "${own[@]}")]"
done
hash=$(sha256sum "${files[@]}" | sha256sum | cut -c1-16)
sed -e "s/@BUILD@/$hash/" -e "s|@PAGE_FILES@|$page_list|" -e "s|@LANGUAGE_FILES@|$language_list|" \
  "$here/service_worker.js" >sw.js
echo "$hash"
