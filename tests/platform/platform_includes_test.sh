#!/bin/sh
# The platform layer stands on its own: no file under the given platform folder includes a
# header of the game (app/, screen/, sound/, settings/, rules/, runs/, shell/, leaderboard/). The check is first
# tried on made-up files, so a pattern that stopped matching cannot pass unnoticed.
set -u
game_folders='app|screen|sound|settings|rules|runs|shell|leaderboard'

# Prints each offending line as FILE:LINE:TEXT; exit status 0 when there is none.
offenders() {
  ! grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<](\.\./)*($game_folders)/" "$1" \
    --include='*.c' --include='*.cpp' --include='*.h' --include='*.hpp' --include='*.mm'
}

failures=0
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
mkdir -p "$sample/deep"
printf '#include "platform/host.hpp"\n#include <vector>\n// #include "sound/x.hpp" in prose\n' > "$sample/clean.cpp"
printf '#include "platform/soundboard.hpp"\n#include "platform/apps.hpp"\n' >> "$sample/clean.cpp"
if ! offenders "$sample" > /dev/null; then
  echo "FAIL: the check finds an include in a clean folder"; failures=$((failures + 1))
fi
for include in '#include "sound/sound_player.hpp"' '  #  include <app/version.hpp>' \
               '#include "../settings/ini.hpp"' '#include "../../screen/game_window.hpp"' \
               '#include "rules/shot_rules.hpp"' '#include "shell/shell_queue.hpp"'; do
  printf '%s\n' "$include" > "$sample/deep/bad.hpp"
  if offenders "$sample" > /dev/null; then
    echo "FAIL: the check misses: $include"; failures=$((failures + 1))
  fi
done
rm -f "$sample/deep/bad.hpp"

if ! found=$(offenders "$1"); then
  echo "FAIL: the platform layer includes game headers:"
  echo "$found"
  failures=$((failures + 1))
fi
exit $failures
