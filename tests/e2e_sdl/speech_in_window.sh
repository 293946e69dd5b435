#!/bin/sh
# Speech on the desktop: with the Speech option switched on in a window, the
# announcements reach a private speech-dispatcher (at log level 5 it logs every
# text it receives; its output module finds no sound card and stays silent).
# Skipped (77) without speech-dispatcher.
# Usage: speech_in_window.sh QUANDREL
set -eu
game=$1
command -v speech-dispatcher >/dev/null 2>&1 || { echo "skipped: no speech-dispatcher"; exit 77; }
[ -e /usr/lib/x86_64-linux-gnu/libspeechd.so.2 ] || ldconfig -p | grep -q libspeechd.so.2 ||
  { echo "skipped: no libspeechd.so.2"; exit 77; }

work=$(mktemp -d)
server=
cleanup() {
  # The server and its voice module, which may be stuck on a missing sound card.
  if [ -n "$server" ]; then
    for module in $(pgrep -P "$server"); do kill -KILL "$module" 2>/dev/null || true; done
    kill -KILL "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM

mkdir -p "$work/run" "$work/log" "$work/home" "$work/game"
# A copy of the game of its own: its settings and options files live beside it.
cp "$game" "$work/game/quandrel"
for folder in Images Sounds; do
  [ -e "$(dirname "$game")/$folder" ] && ln -s "$(cd "$(dirname "$game")" && pwd)/$folder" "$work/game/$folder"
done
chmod 700 "$work/run"
cp -r /etc/speech-dispatcher "$work/conf"
sed -i 's/^LogLevel.*/LogLevel 5/' "$work/conf/speechd.conf"
export XDG_RUNTIME_DIR="$work/run"
speech-dispatcher -C "$work/conf" -L "$work/log" -l 5 -t 60 -s > "$work/server.txt" 2>&1 &
server=$!
for _ in $(seq 50); do
  [ -S "$work/run/speech-dispatcher/speechd.sock" ] && break
  sleep 0.1
done

# Options, Speech on, back to the menu, start: the menu's and the game
# screen's words are spoken, the options panel's (before Speech) are not.
cat > "$work/script.txt" <<'SCRIPT'
wait 3100
command 222
wait 200
command 300
wait 200
command 235
wait 200
command 220
wait 300
key Right
wait 1500
quit
SCRIPT
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" LANGUAGE=en SDL_VIDEODRIVER=dummy \
  SDL_AUDIODRIVER=dummy "$work/game/quandrel" --replay "$work/script.txt" > "$work/out.txt" 2> "$work/err.txt" || {
  cat "$work/err.txt"; exit 1; }

# Announcements are said while the game runs; give the server a moment.
for _ in $(seq 50); do
  grep -q "Tube 1, " "$work/log/speech-dispatcher.log" 2>/dev/null && break
  sleep 0.1
done
status=0
for expected in "Main menu." "Level 1, target 600 points, 100 shots." "Tube 1, "; do
  if ! grep -F -q "$expected" "$work/log/speech-dispatcher.log"; then
    echo "speech-dispatcher did not receive: $expected"
    status=1
  fi
done
if grep -F -q "Options." "$work/log/speech-dispatcher.log"; then
  echo "spoken before Speech was switched on: Options."
  status=1
fi
[ "$status" -eq 0 ] || { grep -a "DATA\|text" "$work/log/speech-dispatcher.log" | tail -20; cat "$work/err.txt"; }
exit "$status"
