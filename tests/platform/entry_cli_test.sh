#!/bin/sh
# The entry function's command line, run on the demo program: help, version,
# bad options and bad scripts give the documented output and exit status.
# Then the game itself: a command that only answers leaves no file behind.
set -u
program="$1"
game="$2"
failures=0
check() {  # check DESCRIPTION EXPECTED_STATUS ACTUAL_STATUS
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: exit status $3, expected $2"
    failures=$((failures + 1))
  fi
}
contains() {  # contains DESCRIPTION TEXT PATTERN
  case "$2" in
    *"$3"*) ;;
    *) echo "FAIL: $1: '$3' not in: $2"; failures=$((failures + 1)) ;;
  esac
}

out=$("$program" --help); check "--help" 0 $?
contains "--help" "$out" "--headless [--script FILE]"
out=$("$program" --version); check "--version" 0 $?
contains "--version" "$out" "0.9.3-demo"
err=$("$program" --bogus 2>&1 >/dev/null); check "unknown option" 2 $?
contains "unknown option" "$err" "unknown option '--bogus'"
err=$("$program" --headless --lang xx 2>&1 >/dev/null); check "unknown language" 2 $?
contains "unknown language" "$err" "unknown language 'xx' for --lang"
out=$("$program" --help); contains "--help names --lang" "$out" "--lang LANGUAGE"
contains "--help names --records" "$out" "--records"
# A program that keeps no records says so and fails, without starting.
err=$("$program" --records 2>&1 >/dev/null); check "--records without records" 1 $?
contains "--records without records" "$err" "keeps no records"
err=$("$program" --headless --script /nonexistent/script.txt 2>&1 >/dev/null); check "missing script" 2 $?
contains "missing script" "$err" "cannot read script"
err=$(printf 'dump\nfly 3\ndump\n' | "$program" --headless 2>&1 >/dev/null); check "bad script line" 2 $?
contains "bad script line" "$err" "error: line 2: unknown command 'fly'"
err=$( (echo dump; head -c 100000 /dev/zero) | "$program" --headless 2>&1 >/dev/null); check "endless line" 2 $?
contains "endless line" "$err" "error: line 2: longer than 4096 characters"
out=$(printf 'tap 100 250\ndump\n' | "$program" --headless); check "tap" 0 $?
contains "tap" "$out" "command 201 0"
contains "dump" "$out" '"visible":[0,201,202,300,101]'
out=$(printf 'command 101 2\nanswer yes\ncommand 5\n' | "$program" --headless); check "exit question" 0 $?
contains "exit question" "$out" "answer yes"
# An unwritable recording and a missing one are refused.
err=$(echo dump | "$program" --headless --record /nonexistent/session.txt 2>&1 >/dev/null); check "unwritable recording" 1 $?
contains "unwritable recording" "$err" "cannot write the recording '/nonexistent/session.txt'"
err=$("$program" --replay /nonexistent/session.txt 2>&1 >/dev/null); check "missing recording" 2 $?
contains "missing recording" "$err" "/nonexistent/session.txt"
err=$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$program" 2>&1 >/dev/null); check "no display" 1 $?
contains "no display" "$err" "--headless"

# The game keeps its settings beside a copy run where it was built, and in the
# configuration folder for an installed copy: three copies in a scratch folder,
# one of them beside a settings file of its own, one installed.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/built" "$scratch/kept" "$scratch/installed"
for copy in built kept installed; do cp "$game" "$scratch/$copy/quandrel"; done
printf '\377\376[\0K\0]\0' >"$scratch/kept/quandrel.ini"
: >"$scratch/installed/quandrel.installed"
snapshot() { (cd "$scratch" && find . -printf '%p %s %T@\n' -type f -exec cksum {} + | sort); }
leaves_no_trace() {  # leaves_no_trace DESCRIPTION ARGUMENT...
  what="$1"
  shift
  before=$(snapshot)
  for copy in built kept installed; do
    (cd "$scratch/$copy" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 XDG_CONFIG_HOME="$scratch/config" \
      HOME="$scratch/home" ./quandrel "$@" >/dev/null 2>&1 </dev/null)
  done
  after=$(snapshot)
  if [ "$before" != "$after" ]; then
    echo "FAIL: $what changed the folder:"
    echo "$before" >"$scratch/before"
    echo "$after" | diff "$scratch/before" - | grep '^[<>]'
    failures=$((failures + 1))
  fi
}
leaves_no_trace "--version" --version
leaves_no_trace "--help" --help
leaves_no_trace "unknown option" --bogus
leaves_no_trace "unknown language" --lang xx
leaves_no_trace "scale out of range" --scale 99
leaves_no_trace "--records" --records
leaves_no_trace "no display"
leaves_no_trace "missing script" --headless --script "$scratch/none.txt"
exit $failures
