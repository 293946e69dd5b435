#!/usr/bin/env bash
# Idle cost in a real window (run inside an X server, e.g. under xvfb-run):
# the CPU time the game uses over 10 s on the game screen with nothing
# pressed, before and after its first shot, next to a plain SDL window that
# only waits for events, all in this one run. Prints lines of
# "name cpu_ms_all_threads cpu_ms_gui_thread peak_rss_kb".
# Usage: idle_cost.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "${1:?usage: idle_cost.sh BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-10}

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# CPU time of every thread of the process, and of its main (GUI) thread alone,
# in nanoseconds.
cpu_ns() {
  local total=0 ns
  for stat in /proc/"$1"/task/*/schedstat; do
    read -r ns _ <"$stat" || continue
    total=$((total + ns))
  done
  read -r ns _ </proc/"$1"/task/"$1"/schedstat
  echo "$total $ns"
}
peak_rss_kb() { awk '/^VmHWM:/ {print $2}' /proc/"$1"/status; }

# CPU milliseconds PID uses over the measuring time: all threads, GUI thread.
measure() {
  local before after
  before=$(cpu_ns "$1")
  sleep "$seconds"
  after=$(cpu_ns "$1")
  awk -v a="$after" -v b="$before" 'BEGIN {
    split(a, x, " "); split(b, y, " ")
    printf "%.2f %.2f", (x[1] - y[1]) / 1e6, (x[2] - y[2]) / 1e6 }'
}

wait_for_window() {
  local name=$1 wid=""
  for _ in $(seq 200); do
    wid=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    [[ -n "$wid" ]] && break
    sleep 0.1
  done
  [[ -n "$wid" ]] || { echo "no window named $name" >&2; exit 1; }
  echo "$wid"
}

export SDL_AUDIODRIVER=dummy

# The baseline: an SDL window that waits for events.
"$build/bench/idle_window" &
pids+=($!)
idle_pid=$!
wait_for_window '^Idle$' >/dev/null
sleep 1
echo "idle_window $(measure "$idle_pid") $(peak_rss_kb "$idle_pid")"
kill "$idle_pid"

# The game, from a scratch folder so its settings file goes there.
cp "$build/quandrel" "$work/quandrel"
ln -s "$build/Images" "$work/Images"
ln -s "$build/Sounds" "$work/Sounds"
mkdir -m 700 "$work/run"
(cd "$work" && XDG_RUNTIME_DIR="$work/run" exec ./quandrel) &
pids+=($!)
game_pid=$!
wid=$(wait_for_window '^Quandrel$')
sleep 4  # the splash, then the menu
eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^(WIDTH|HEIGHT)=')"
read -r x y < <(awk -v w="$WIDTH" -v h="$HEIGHT" 'BEGIN {
  s = w / 480 < h / 720 ? w / 480 : h / 720
  printf "%d %d\n", (w - 480 * s) / 2 + 234 * s, (h - 720 * s) / 2 + 459 * s }')
xdotool mousemove --window "$wid" "$x" "$y" click 1  # start
sleep 1
echo "game_screen $(measure "$game_pid") $(peak_rss_kb "$game_pid")"
xdotool key --window "$wid" space
sleep 2  # the shot lands; its timer and the time bar keep ticking
echo "game_screen_after_a_shot $(measure "$game_pid") $(peak_rss_kb "$game_pid")"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
