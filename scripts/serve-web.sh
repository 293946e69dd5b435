#!/bin/bash
# Builds the browser version and serves it on http://127.0.0.1:PORT/ (8080 by
# default; the browser needs a server, it will not load the module from a file).
# Usage: scripts/serve-web.sh [PORT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8080}
"$root/scripts/build-web.sh" "$root/web"
echo "serve-web.sh: open http://127.0.0.1:$port/ (Ctrl+C stops)"
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/web"
