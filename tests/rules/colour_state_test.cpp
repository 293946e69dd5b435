// The mixing table checked cell by cell against the mixing rules stated in words.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

#include "rules/colour_state.hpp"

namespace {

struct Outcome {
  int32_t state;
  bool mixesFromPrimaries;
};

bool isPrimary(int32_t colour) { return colour == 0 || colour == 1 || colour == 4; }

int32_t secondaryMadeFrom(int32_t a, int32_t b) {
  const std::set<int32_t> pair{a, b};
  if (pair == std::set<int32_t>{0, 1}) return 2;
  if (pair == std::set<int32_t>{1, 4}) return 3;
  return 5;  // 0 and 4
}

// The four rules: an empty target takes one measure; one more measure of the same colour;
// two different primaries mix into their secondary with one measure more (three measures
// earn the mixing flag); everything else spoils.
Outcome expectedByRules(int32_t state, int32_t colour) {
  if (state == TargetEmpty) return {3 * colour + 1, false};
  if (state >= 1 && state <= 18) {
    const int32_t held = (state - 1) / 3;
    const int32_t measures = (state - 1) % 3 + 1;
    if (measures < 3 && colour == held) return {3 * held + measures + 1, false};
    if (measures < 3 && isPrimary(held) && isPrimary(colour) && colour != held) {
      return {3 * secondaryMadeFrom(held, colour) + measures + 1, measures + 1 == 3};
    }
  }
  return {TargetSpoiled, false};
}

TEST(ColourState, EveryCellFollowsTheMixingRules) {
  int flagCells = 0;
  for (int32_t state = 0; state <= 19; ++state) {
    for (int32_t colour = 0; colour <= 5; ++colour) {
      uint32_t flag = 0;
      const Outcome expected = expectedByRules(state, colour);
      EXPECT_EQ(mixTargetState(state, static_cast<uint32_t>(colour), flag), expected.state)
          << "state " << state << " colour " << colour;
      EXPECT_EQ(flag, expected.mixesFromPrimaries ? 1u : 0u) << "state " << state << " colour " << colour;
      flagCells += flag;
    }
  }
  EXPECT_EQ(flagCells, 6);
}

TEST(ColourState, FlagIsSetOnlyByCompletingASecondaryFromTwoPrimaries) {
  const std::set<std::pair<int32_t, uint32_t>> starred{{2, 1}, {2, 4}, {5, 0}, {5, 4}, {14, 0}, {14, 1}};
  for (const auto& [state, colour] : starred) {
    uint32_t flag = 0;
    const int32_t next = mixTargetState(state, colour, flag);
    EXPECT_EQ(flag, 1u) << "state " << state << " colour " << colour;
    EXPECT_EQ(next % 3, 0) << "a starred cell completes a colour";
  }
  // Completing a secondary with its own colour, or mixing single measures, leaves the flag.
  const std::set<std::pair<int32_t, uint32_t>> unstarred{{8, 2}, {11, 3}, {17, 5}, {1, 1}, {4, 0},
                                                          {4, 4}, {13, 1}, {1, 4}, {13, 0}};
  for (const auto& [state, colour] : unstarred) {
    uint32_t flag = 0;
    mixTargetState(state, colour, flag);
    EXPECT_EQ(flag, 0u) << "state " << state << " colour " << colour;
  }
}

TEST(ColourState, FlagStaysSetOnEveryTransition) {
  for (int32_t state = 0; state <= 19; ++state) {
    for (uint32_t colour = 0; colour <= 5; ++colour) {
      uint32_t flag = 1;
      mixTargetState(state, colour, flag);
      EXPECT_EQ(flag, 1u) << "state " << state << " colour " << colour;
    }
  }
}

TEST(ColourState, ColourOutsideTheSixGivesMinusOneAndLeavesTheFlag) {
  const uint32_t badColours[] = {6, 7, 100, static_cast<uint32_t>(-1), 0x80000000u};
  for (int32_t state = 0; state <= 19; ++state) {
    for (uint32_t colour : badColours) {
      for (uint32_t before : {0u, 1u}) {
        uint32_t flag = before;
        EXPECT_EQ(mixTargetState(state, colour, flag), -1) << "state " << state << " colour " << colour;
        EXPECT_EQ(flag, before);
      }
    }
  }
}

TEST(ColourState, FullAndSpoiledTargetsSpoilOnAnyShot) {
  for (int32_t state : {3, 6, 9, 12, 15, 18, TargetSpoiled}) {
    for (uint32_t colour = 0; colour <= 5; ++colour) {
      uint32_t flag = 0;
      EXPECT_EQ(mixTargetState(state, colour, flag), TargetSpoiled) << "state " << state;
      EXPECT_EQ(flag, 0u);
    }
  }
}

TEST(ColourState, StateOutsideTheTableSpoilsInsteadOfReadingPastIt) {
  for (int32_t state : {-1, 20, 1000, INT32_MIN}) {
    uint32_t flag = 0;
    EXPECT_EQ(mixTargetState(state, 0, flag), TargetSpoiled);
    EXPECT_EQ(flag, 0u);
  }
}

}  // namespace
