#!/usr/bin/env bash
# Runs the demo application in a real SDL window under Xvfb and drives it with
# xdotool: a click on an image button must reach the program as its command
# and change the frame; clicks elsewhere arrive in game pixels through the
# letterbox, clicks on the bars arrive nowhere; a key press arrives by name;
# a termination signal closes the window cleanly.
# Usage: click_in_window.sh PATH_TO_quandrel_demo
set -u

demo=${1:?usage: click_in_window.sh PATH_TO_quandrel_demo}

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/xvfb_session.sh
. "$here/../lib/xvfb_session.sh"

require_window_tools
enter_xvfb 100 "$0" "$@"
make_work_dir

fail() {
  echo "FAIL: $*"
  echo "--- demo standard output"; cat "$work/out.txt" 2>/dev/null
  echo "--- demo standard error"; cat "$work/err.txt" 2>/dev/null
  exit 1
}

SDL_AUDIODRIVER=dummy "$demo" >"$work/out.txt" 2>"$work/err.txt" &
app_pid=$!

if ! wait_for 20 find_window; then
  if grep -q "no display" "$work/err.txt"; then exit "$ServerUnusable"; fi
  fail "the window did not appear"
fi

click_window() {
  xdotool mousemove --window "$wid" "$1" "$2" click 1
}

shot() {
  import -window "$wid" "$work/$1.png" 2>/dev/null
}

# Number of pixels that differ between two screenshots.
difference() {
  compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1
}

output_has() {
  grep -qxF "$1" "$work/out.txt"
}

# The frame is up once the window shows more than one colour and holds still.
drawn_and_still() {
  shot settle_a || return 1
  [[ "$(identify -format %k "$work/settle_a.png" 2>/dev/null)" -gt 1 ]] || return 1
  sleep 0.2
  shot settle_b || return 1
  [[ "$(difference settle_a settle_b)" == 0 ]]
}
wait_for 20 drawn_and_still || fail "the window never showed a steady frame"

# 1. The first image button (id 201, 60,200 160x100) reports its command and
#    the frame changes (the demo writes the command into its label).
cp "$work/settle_b.png" "$work/before.png"
click_game 140 250
wait_for 10 output_has "command 201 0" || fail "the click on button 201 did not arrive"
changed_frame() {
  shot after || return 1
  [[ "$(difference before after)" != 0 ]]
}
wait_for 10 changed_frame || fail "the frame did not change after the click"
echo "button click: command arrived, $(difference before after) pixels changed"

# 2. The toolbar's middle button reports the toolbar's id and its index.
click_game 240 690
wait_for 10 output_has "command 101 1" || fail "the toolbar click did not arrive"

# 3. A press on the background reaches the window in game pixels.
click_game 30 100
wait_for 10 output_has "down 30 100" || fail "the background click did not arrive at 30,100"

# 4. A key press arrives by its name.
xdotool mousemove --window "$wid" 100 100
xdotool key --window "$wid" space
wait_for 10 output_has "key Space" || fail "the Space key did not arrive"

# 5. A wider window letterboxes the frame: game pixels still map exactly and
#    a click on a bar touches nothing.
xdotool windowsize "$wid" 720 720
size_is_wide() {
  eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^WIDTH=')"
  [[ "$WIDTH" == 720 ]]
}
wait_for 10 size_is_wide || fail "the window could not be resized"
sleep 0.5
lines_before_bar=$(wc -l <"$work/out.txt")
click_window 20 300
click_game 400 120
wait_for 10 output_has "down 400 120" || fail "the click in the resized window did not arrive at 400,120"
lines_after_bar=$(wc -l <"$work/out.txt")
((lines_after_bar == lines_before_bar + 1)) || fail "a click on the bar reached the game"

# 6. A termination request closes the window and the program ends cleanly.
kill -TERM "$app_pid"
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 10 exited || fail "the program did not end after the close request"
wait "$app_pid"
status=$?
app_pid=""
((status == 0)) || fail "the program ended with status $status after the close request"

echo "PASS"
