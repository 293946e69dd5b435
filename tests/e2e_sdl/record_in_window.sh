#!/usr/bin/env bash
# Plays the real game in an SDL window under Xvfb with xdotool while it records
# the session, closes the window, then replays the recording headless: the
# replay must end in exactly the state the window session ended in. Then the
# same recording is shown in a window with --replay and must end there too.
# Usage: record_in_window.sh PATH_TO_quandrel
set -u

game=${1:?usage: record_in_window.sh PATH_TO_quandrel}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/xvfb_session.sh
. "$here/../lib/xvfb_session.sh"

require_window_tools
enter_xvfb 200 "$0" "$@"
make_work_dir

fail() {
  echo "FAIL: $*"
  for name in window.err replay.err shown.err; do
    [[ -f "$work/$name" ]] && { echo "--- $name"; cat "$work/$name"; }
  done
  [[ -f "$work/session.txt" ]] && { echo "--- session.txt"; cat "$work/session.txt"; }
  exit 1
}

# A fresh copy of the game in DIR: its own settings file and single-instance lock.
game_copy() {
  mkdir -p "$1/run"
  chmod 700 "$1/run"
  cp "$game" "$1/quandrel"
  local source_dir
  source_dir=$(cd "$(dirname "$game")" && pwd)
  ln -s "$source_dir/Images" "$1/Images"
  ln -s "$source_dir/Sounds" "$1/Sounds"
}
game_copy "$work/window"
game_copy "$work/replay"
game_copy "$work/shown"

(cd "$work/window" && XDG_RUNTIME_DIR="$work/window/run" SDL_AUDIODRIVER=dummy \
  ./quandrel --record "$work/session.txt" --dump-at-exit "$work/window.json" >/dev/null 2>"$work/window.err") &
app_pid=$!

if ! wait_for 20 find_window; then
  if grep -q "no display" "$work/window.err"; then exit "$ServerUnusable"; fi
  fail "the window did not appear"
fi

drag_game() {
  # shellcheck disable=SC2046
  xdotool mousemove --window "$wid" $(window_point "$1" "$2") mousedown 1
  # shellcheck disable=SC2046
  xdotool mousemove --window "$wid" $(window_point "$3" "$4")
  sleep 0.1
  # shellcheck disable=SC2046
  xdotool mousemove --window "$wid" $(window_point "$5" "$6") mouseup 1
}
keys() {
  local name
  for name in "$@"; do
    xdotool key --window "$wid" "$name"
    sleep 0.15
  done
}

# The splash lasts three seconds; then Return presses the menu's first button
# (a keyboard press is let go of 100 ms later, on the loop's own clock).
sleep 3.5
keys Return
sleep 0.5
keys Right Right space
sleep 0.8
keys Left Left Left space Right space
drag_game 100 300 300 300 400 300
sleep 0.6
keys space b r
sleep 1.2
# Back to the menu, the ring to continue, and on with the game.
keys Escape Tab Return
sleep 0.5
click_game 400 300
keys space
sleep 0.3

python3 "$here/../desktop/close_window.py" "$wid" || fail "cannot ask the window to close"
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 20 exited || fail "the game did not end after the close"
wait "$app_pid" || fail "the window session ended with status $?"
app_pid=""

[[ -s "$work/window.json" ]] || fail "the window session wrote no final state"
grep -q '"screen":"game"' "$work/window.json" || fail "the window session did not reach the game: $(cat "$work/window.json")"
grep -q '^key Space$' "$work/session.txt" || fail "the recording has no key presses"
grep -q '^down ' "$work/session.txt" || fail "the recording has no presses"
grep -q '^move ' "$work/session.txt" || fail "the recording has no drag"
grep -q '^key Tab$' "$work/session.txt" || fail "the recording has no menu navigation"
[[ "$(tail -n 1 "$work/session.txt")" == quit ]] || fail "the recording does not end with the window's close"

# The recording replayed headless ends in the same state, to the byte.
(cd "$work/replay" && XDG_RUNTIME_DIR="$work/replay/run" \
  ./quandrel --headless --script "$work/session.txt" --dump-at-exit "$work/replay.json" \
  >/dev/null 2>"$work/replay.err") || fail "the headless replay failed"
cmp -s "$work/window.json" "$work/replay.json" ||
  fail "the replay ended elsewhere:
window: $(cat "$work/window.json")
replay: $(cat "$work/replay.json")"
cmp -s "$work/window/quandrel.ini" "$work/replay/quandrel.ini" || fail "the replay saved different settings"

# Shown in a window at its own pace, it ends there too, closing by itself.
(cd "$work/shown" && XDG_RUNTIME_DIR="$work/shown/run" SDL_AUDIODRIVER=dummy \
  ./quandrel --replay "$work/session.txt" --dump-at-exit "$work/shown.json" >/dev/null 2>"$work/shown.err") &
app_pid=$!
started=$(date +%s%N)
wait_for 60 exited || fail "the replay in a window did not end"
wait "$app_pid" || fail "the replay in a window ended with status $?"
app_pid=""
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
recorded_ms=$(awk '$1 == "wait" { total += $2 } END { print total }' "$work/session.txt")
((elapsed_ms >= recorded_ms)) || fail "the window replay took $elapsed_ms ms for $recorded_ms ms of recording"
cmp -s "$work/window.json" "$work/shown.json" ||
  fail "the window replay ended elsewhere:
window: $(cat "$work/window.json")
shown:  $(cat "$work/shown.json")"

echo "PASS: $(grep -vc '^#' "$work/session.txt") recorded lines over $recorded_ms ms replayed headless and in a window ($elapsed_ms ms)"
