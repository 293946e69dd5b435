#!/usr/bin/env bash
# Plays a headless scripted game under valgrind's memcheck: through the menu,
# the settings panel, a game with shots and purchases, the focus pause, and
# out through the exit question. Fails on any memcheck error or any
# definitely lost byte.
# Usage: valgrind_game.sh PATH_TO_quandrel
set -u

game=${1:?usage: valgrind_game.sh PATH_TO_quandrel}

if ! command -v valgrind >/dev/null 2>&1; then
  echo "FAIL: valgrind is not installed"
  exit 1
fi
# AddressSanitizer and valgrind cannot watch the same process.
if nm "$game" 2>/dev/null | grep -q __asan_init; then
  echo "SKIP: $game is built with AddressSanitizer, which valgrind cannot run"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$game" "$work/quandrel"
game_dir=$(dirname "$game")
ln -s "$game_dir/Images" "$work/Images"
ln -s "$game_dir/Sounds" "$work/Sounds"
mkdir -m 700 "$work/run"

cat >"$work/script.txt" <<'SCRIPT'
wait 3000
command 222
command 230
command 231
command 235
command 220
key Space
wait 700
tap 400 300
key Right
command 101 1
wait 1500
focus out
wait 5000
tap 10 10
key R
key B
key Space
wait 2000
screenshot frame.png
dump
key Escape
command 221
wait 500
command 224
answer yes
SCRIPT

cd "$work"
XDG_RUNTIME_DIR="$work/run" valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
  --errors-for-leak-kinds=definite --show-leak-kinds=definite --track-origins=yes \
  --log-file="$work/memcheck.txt" ./quandrel --headless --script script.txt >"$work/out.txt" 2>"$work/err.txt"
status=$?
grep -E "ERROR SUMMARY|definitely lost|in use at exit" "$work/memcheck.txt"
if ((status != 0)); then
  echo "FAIL: status $status"
  cat "$work/memcheck.txt" "$work/err.txt"
  exit 1
fi
if ! grep -q '"screen":"game"' "$work/out.txt" || [[ ! -s "$work/quandrel.ini" ]]; then
  echo "FAIL: the scripted game did not play to its end"
  cat "$work/out.txt" "$work/err.txt"
  exit 1
fi
echo "PASS"
