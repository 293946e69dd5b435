#!/bin/bash
# Plays the web version, which the build made in BUILD_DIR/web-page (the target
# web_page), in Debian's chromium. Exits 77 (skipped) when Emscripten, Node or
# chromium is missing.
# The desktop game's frames of the menu and the settings panel in every
# language (Chinese and each po/LL.po) are made with QUANDREL_BINARY (the
# native headless game) for the page to be compared with.
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

# A lock that no longer installs as it stands fails here, naming its package.
node "$root/scripts/check-npm-lock.mjs" "$here" "$(command -v npm)"
if [ ! -f "$here/node_modules/.package-lock.json" ] || [ "$here/package-lock.json" -nt "$here/node_modules/.package-lock.json" ]; then
  (cd "$here" && npm ci --no-audit --no-fund)
fi

page="$build_dir/web-page"
if [ ! -f "$page/index.html" ] || [ ! -f "$page/sw.js" ]; then
  echo "no web page in $page: build it first (cmake --build BUILD --target web_page)" >&2
  exit 1
fi
mkdir -p "$page/desktop-frames"

# The native game in a scratch folder beside its pictures, so no settings file lands in the build.
native=${QUANDREL_BINARY:?QUANDREL_BINARY names the native game}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$native" "$scratch/quandrel"
ln -s "$(dirname "$native")/Images" "$scratch/Images"
ln -s "$(dirname "$native")/Sounds" "$scratch/Sounds"
mkdir -p "$scratch/run"
chmod 700 "$scratch/run"
languages="zh $(cd "$root/po" && ls *.po | sed 's/\.po$//' | tr '\n' ' ')"
for lang in $languages; do
  printf 'screenshot %s\nwait 3000\nscreenshot %s\ncommand 222\nscreenshot %s\nquit\n' \
      "$page/desktop-frames/splash-$lang.png" "$page/desktop-frames/menu-$lang.png" "$page/desktop-frames/settings-$lang.png" |
    (cd "$scratch" && XDG_RUNTIME_DIR="$scratch/run" ./quandrel --headless --lang "$lang" >/dev/null)
done
ls -l "$page" | sed 's/^/# /'

cd "$here"
QUANDREL_WEB_PAGE="$page" QUANDREL_CHROMIUM="$chromium" QUANDREL_BINARY="${2:-}" node --test --test-reporter=tap browser_test.mjs
