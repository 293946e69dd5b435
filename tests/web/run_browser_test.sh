#!/bin/bash
# Builds the web version into BUILD_DIR and plays it in Debian's chromium.
# Exits 77 (skipped) when Emscripten, Node or chromium is missing.
# Usage: run_browser_test.sh BUILD_DIR [DESKTOP_BINARY]
# DESKTOP_BINARY (the desktop build of the game) replays the page's recording headless.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build_dir=${1:?usage: run_browser_test.sh BUILD_DIR}
chromium=${QUANDREL_CHROMIUM:-/usr/bin/chromium}

for tool in em++ emcmake node npm; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done
if [ ! -x "$chromium" ]; then
  echo "skipped: no chromium at $chromium"
  exit 77
fi

if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  (cd "$here" && npm ci --no-audit --no-fund)
fi

page="$build_dir/web-page"
QUANDREL_WEB_BUILD="$build_dir/web-build" "$root/scripts/build-web.sh" "$page"
ls -l "$page" | sed 's/^/# /'

cd "$here"
QUANDREL_WEB_PAGE="$page" QUANDREL_CHROMIUM="$chromium" QUANDREL_BINARY="${2:-}" node --test --test-reporter=tap browser_test.mjs
