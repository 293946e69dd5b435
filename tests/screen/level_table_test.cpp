// The level table against the board's geometry and the colour rules.
#include <gtest/gtest.h>

#include "rules/colour_state.hpp"
#include "rules/level_table.hpp"
#include "rules/shot_rules.hpp"

TEST(LevelTable, OnlyLevelsOneToTenExist) {
  EXPECT_EQ(levelLayout(0), nullptr);
  EXPECT_EQ(levelLayout(-3), nullptr);
  EXPECT_EQ(levelLayout(11), nullptr);
  for (int32_t level = 1; level <= LevelCount; ++level) EXPECT_NE(levelLayout(level), nullptr);
}

TEST(LevelTable, NoTargetStartsFullAndTargetScoresRise) {
  int32_t previousScore = 0;
  for (int32_t level = 1; level <= LevelCount; ++level) {
    const LevelLayout& layout = *levelLayout(level);
    for (int32_t state : layout.startStates) {
      EXPECT_GE(state, TargetEmpty);
      EXPECT_LE(state, TargetSpoiled);
      if (state != TargetEmpty && state != TargetSpoiled) {
        EXPECT_NE(state % 3, 0) << level;
      }
    }
    EXPECT_GT(layout.targetScore, previousScore);
    previousScore = layout.targetScore;
  }
}

TEST(LevelTable, EachTargetStandsInItsOwnShotRange) {
  for (int32_t slot = 0; slot < TargetCount; ++slot) {
    EXPECT_EQ(slotFromX(targetHomeX[static_cast<size_t>(slot)]), slot);
    // The sprayer's step that hits this slot lands inside its range too.
    EXPECT_EQ(slotFromX(145 + 23 * (slot + 1)), slot);
  }
}
