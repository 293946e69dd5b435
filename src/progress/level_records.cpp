// The rules of the per-level records.
#include "progress/level_records.hpp"

#include <algorithm>

bool LevelRecords::recordClaim(int32_t number, const ClaimedAttempt& attempt) {
  if (number < FirstLevel || number > LevelCount) return false;
  LevelRecord& record = level(number);
  const int32_t stars = starsFor(attempt);
  if (record.claims == 0) {
    record = LevelRecord{1, attempt.score, attempt.shotsFired, attempt.playMs, stars};
    return true;
  }
  const bool beaten = attempt.score > record.bestScore || attempt.shotsFired < record.fewestShots ||
                      attempt.playMs < record.fastestMs || stars > record.stars;
  record.claims += 1;
  record.bestScore = std::max(record.bestScore, attempt.score);
  record.fewestShots = std::min(record.fewestShots, attempt.shotsFired);
  record.fastestMs = std::min(record.fastestMs, attempt.playMs);
  record.stars = std::max(record.stars, stars);
  return beaten;
}

const LevelRecord& LevelRecords::level(int32_t number) const {
  return levels[static_cast<size_t>(std::clamp(number, FirstLevel, LevelCount) - FirstLevel)];
}

LevelRecord& LevelRecords::level(int32_t number) {
  return levels[static_cast<size_t>(std::clamp(number, FirstLevel, LevelCount) - FirstLevel)];
}

int32_t LevelRecords::highestClaimed() const {
  for (int32_t number = LevelCount; number >= FirstLevel; --number) {
    if (level(number).claims > 0) return number;
  }
  return 0;
}

int32_t LevelRecords::totalBestScore() const {
  int32_t total = 0;
  for (const LevelRecord& record : levels) total += record.claims > 0 ? record.bestScore : 0;
  return total;
}

int32_t LevelRecords::totalStars() const {
  int32_t total = 0;
  for (const LevelRecord& record : levels) total += record.stars;
  return total;
}
