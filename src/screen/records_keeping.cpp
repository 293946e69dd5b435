// Keeping the records: what an attempt does is counted by its play, and a
// claim turns it into the level's records and saves the file.
#include "platform/mz_functions.hpp"
#include "platform/services/debug_output.hpp"
#include "platform/system/utf.hpp"
#include "progress/records_file.hpp"
#include "rules/time_mode.hpp"
#include "screen/game_window.hpp"

void GameWindow::startAttemptRecord() {
  attemptStartMs = GetTickCount();
  attemptPausedMs = 0;
  attemptKeepsRecords = timeModeKeepsRecords(options.timeMode);
}

bool GameWindow::recordClaim() {
  // Records are of play under the designed time bar, the whole attempt long.
  if (!attemptKeepsRecords) return false;
  const uint32_t playMs = GetTickCount() - attemptStartMs - attemptPausedMs;
  const ClaimedAttempt attempt{play.score, play.shotsFired, playMs, play.boughtShots, play.repairedTube};
  const bool beaten = records.recordClaim(currentLevel, attempt);
  if (!recordsPath.empty() && !saveRecords(recordsPath, records) && !recordsSaveWarned) {
    // Said once: the records of this run are then kept only until the game ends.
    const std::string line = "quandrel: cannot save the records file " + recordsPath;
    services::OutputDebugStringW(utf16FromUtf8(line).c_str());
    recordsSaveWarned = true;
  }
  return beaten;
}
