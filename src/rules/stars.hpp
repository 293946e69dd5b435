// The stars a claimed attempt earns, from what it did.
#pragma once

#include <cstdint>

constexpr int32_t MaxStars = 3;

// What one claimed attempt did, counted from the level's start to the claim.
struct ClaimedAttempt {
  int32_t score = 0;       // the score at the claim
  int32_t shotsFired = 0;  // shots launched in the attempt
  uint32_t playMs = 0;     // game time from the level's start to the claim
  bool boughtShots = false;
  bool repairedTube = false;
};

// One star for a claim, two without buying shots, three without buying shots or repairing.
constexpr int32_t starsFor(const ClaimedAttempt& attempt) {
  if (attempt.boughtShots) return 1;
  return attempt.repairedTube ? 2 : 3;
}
