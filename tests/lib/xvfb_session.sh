# The shared start of the tests that drive a real SDL window under Xvfb with
# xdotool. Source it, then call require_window_tools, enter_xvfb and
# make_work_dir in that order; the program under test goes in $app_pid.

# Status of a run whose X server could not be used (xvfb-run -a can hand a
# display number to two runs started at the same moment): the run is retried.
readonly ServerUnusable=75

# Exits 77 (skip) without xvfb-run, 1 without one of the other tools needed.
require_window_tools() {
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run is not installed"
    exit 77
  fi
  local tool
  for tool in xdotool import compare identify timeout "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "FAIL: $tool is not installed (xdotool, imagemagick)"
      exit 1
    fi
  done
}

# enter_xvfb SECONDS SCRIPT ARGS...: outside Xvfb, re-runs the script inside a
# fresh X server (each attempt bounded by SECONDS) and exits with its status;
# inside, checks that the server can be used.
enter_xvfb() {
  local seconds=$1
  shift
  if [[ -z "${QUANDREL_E2E_IN_XVFB:-}" ]]; then
    local attempt status
    for attempt in 1 2 3; do
      QUANDREL_E2E_IN_XVFB=1 timeout "$seconds" xvfb-run -a -s "-screen 0 1024x768x24" "$@"
      status=$?
      ((status == ServerUnusable)) || exit "$status"
      echo "the X server was not usable (attempt $attempt); retrying"
      sleep 1
    done
    echo "FAIL: no usable X server"
    exit 1
  fi
  xdotool getdisplaygeometry >/dev/null 2>&1 || exit "$ServerUnusable"
}

# A temporary directory $work, removed at exit with the program in $app_pid killed.
make_work_dir() {
  work=$(mktemp -d)
  app_pid=""
  trap cleanup_work_dir EXIT
}
cleanup_work_dir() {
  if [[ -n "$app_pid" ]] && kill -0 "$app_pid" 2>/dev/null; then
    kill -KILL "$app_pid" 2>/dev/null
  fi
  rm -rf "$work"
}

# Polls COMMAND every 0.1 s until it succeeds, at most SECONDS seconds.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  while ((tries-- > 0)); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Sets $wid to the visible window named Quandrel; fails while there is none.
find_window() {
  wid=$(xdotool search --onlyvisible --name '^Quandrel$' 2>/dev/null | head -n 1)
  [[ -n "$wid" ]]
}

# Window-relative position of game pixel (X, Y) in the current letterbox of $wid.
window_point() {
  eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^(WIDTH|HEIGHT)=')"
  awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN {
    s = w / 480 < h / 720 ? w / 480 : h / 720
    printf "%d %d\n", (w - 480 * s) / 2 + (x + 0.5) * s, (h - 720 * s) / 2 + (y + 0.5) * s
  }'
}

# Clicks game pixel (X, Y) in $wid.
click_game() {
  # shellcheck disable=SC2046
  xdotool mousemove --window "$wid" $(window_point "$1" "$2") click 1
}
