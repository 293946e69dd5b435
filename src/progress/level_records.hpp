// The player's best results per level: plain data and the rules that update them at a claim.
// No platform dependency and no allocation.
#pragma once

#include <array>
#include <cstdint>

#include "rules/level_table.hpp"
#include "rules/stars.hpp"

// One level's records. Each field keeps its own best; all are meaningful only once claims > 0.
struct LevelRecord {
  int32_t claims = 0;
  int32_t bestScore = 0;
  int32_t fewestShots = 0;
  uint32_t fastestMs = 0;
  int32_t stars = 0;
  bool operator==(const LevelRecord&) const = default;
};

class LevelRecords {
 public:
  // Counts a claim of `level` (1..LevelCount; any other number changes nothing). True when it
  // set or beat a record: the level's first claim, or a better score, fewer shots, a shorter
  // time or more stars than before.
  bool recordClaim(int32_t level, const ClaimedAttempt& attempt);

  // The record of `level` 1..LevelCount.
  const LevelRecord& level(int32_t level) const;
  LevelRecord& level(int32_t level);
  // The highest claimed level, 0 when none.
  int32_t highestClaimed() const;
  int32_t totalBestScore() const;
  int32_t totalStars() const;
  bool operator==(const LevelRecords&) const = default;

 private:
  std::array<LevelRecord, LevelCount> levels{};
};
