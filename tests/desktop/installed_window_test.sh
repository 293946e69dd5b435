#!/usr/bin/env bash
# Installs the game into a temporary prefix and plays the installed copy in a
# real SDL window under Xvfb: wait for the menu, click start, fire with Space,
# see the frame change, lose the focus and see the veil until a click, close
# the window as a desktop does, and find the settings file written in the temporary
# $XDG_CONFIG_HOME, none beside the installed executable.
# Usage: installed_window_test.sh BUILD_DIR
set -u

build=${1:?usage: installed_window_test.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../lib/xvfb_session.sh
. "$here/../lib/xvfb_session.sh"

require_window_tools python3
enter_xvfb 200 "$0" "$@"
make_work_dir

fail() {
  echo "FAIL: $*"
  echo "--- game standard error"; cat "$work/err.txt" 2>/dev/null
  exit 1
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 || { cat "$work/install.txt"; fail "cmake --install failed"; }
[[ -x "$prefix/bin/quandrel" ]] || fail "no bin/quandrel in the prefix"

mkdir -m 700 "$work/run"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run"
SDL_AUDIODRIVER=dummy "$prefix/bin/quandrel" >/dev/null 2>"$work/err.txt" &
app_pid=$!

if ! wait_for 30 find_window; then
  if grep -q "no display" "$work/err.txt"; then exit "$ServerUnusable"; fi
  fail "the window did not appear"
fi

shot() { import -window "$wid" "$work/$1.png" 2>/dev/null; }
difference() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
# The window shows more than one colour and holds still for a moment.
steady() {
  shot steady_a || return 1
  [[ "$(identify -format %k "$work/steady_a.png" 2>/dev/null)" -gt 1 ]] || return 1
  sleep 0.3
  shot steady_b || return 1
  [[ "$(difference steady_a steady_b)" == 0 ]]
}

# 1. The splash, then after three seconds the menu.
wait_for 20 steady || fail "the splash never showed"
cp "$work/steady_b.png" "$work/splash.png"
menu_up() { steady && [[ "$(difference splash steady_b)" != 0 ]]; }
wait_for 20 menu_up || fail "the menu never replaced the splash"
cp "$work/steady_b.png" "$work/menu.png"
echo "menu shown"

# 2. Start (the first menu button, 180,440 108x38): the game board.
click_game 234 459
board_up() { steady && [[ "$(difference menu steady_b)" != 0 ]]; }
wait_for 20 board_up || fail "clicking start did not open the game"
cp "$work/steady_b.png" "$work/board.png"
echo "game started"

# 3. Space fires: a shot falls and the frame changes.
xdotool key --window "$wid" space
fired() { shot fired && [[ "$(difference board fired)" != 0 ]]; }
wait_for 10 fired || fail "Space did not change the frame"
echo "Space fired: $(difference board fired) pixels changed"

# 4. The focus goes to the desktop (the root window): the veil says the game
#    is paused. A click brings the game back and is not taken as a touch.
wait_for 20 steady || fail "the frame never settled after the shot"
cp "$work/steady_b.png" "$work/before_away.png"
root=$(xdotool search --maxdepth 0 --name '' 2>/dev/null | head -n 1)
xdotool windowfocus "$root" || fail "could not move the focus away"
veiled() { shot away && [[ "$(difference before_away away)" -gt 100000 ]]; }
wait_for 10 veiled || fail "losing the focus did not veil the game"
echo "focus lost: the veil is up ($(difference before_away away) pixels changed)"
click_game 400 300
unveiled() { shot back && [[ "$(difference before_away back)" -lt 20000 ]]; }
wait_for 10 unveiled || fail "a click did not lift the veil"
echo "a click lifted the veil"

# 5. Close the window as a desktop does; the game ends cleanly.
python3 "$here/close_window.py" "$wid" || fail "could not ask the window to close"
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 20 exited || fail "the game did not end when its window was closed"
wait "$app_pid"
status=$?
app_pid=""
((status == 0)) || fail "the game ended with status $status"

# 6. The settings file: in the configuration folder, not beside the executable.
settings="$XDG_CONFIG_HOME/quandrel/quandrel.ini"
[[ -s "$settings" ]] || fail "no settings file at $settings"
[[ "$(head -c 2 "$settings" | od -An -tx1 | tr -d ' ')" == "fffe" ]] || fail "the settings file is not UTF-16LE"
[[ ! -e "$prefix/lib/quandrel/quandrel.ini" ]] || fail "a settings file was written beside the installed executable"
level=$(iconv -f UTF-16LE -t UTF-8 "$settings" | tr -d '\r' | sed -n 's/^ *CurrentLevel=//p')
[[ "$level" == 1 ]] || fail "the settings file holds level '$level', not 1"
echo "settings written to $settings (level $level)"
echo "PASS"
