// Slot ranges, the miss counter and the colour generator.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "rules/colour_generator.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"

namespace {

// The first values of a generator never seeded (seed 1), as the phone's C library draws them.
const std::vector<int32_t> seedOneDraws{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};

class ShotRules : public ::testing::Test {
 protected:
  int32_t misses = 0;
  ColourGenerator generator;
  int32_t miss(int32_t state, int32_t slot) { return missColour(state, slot, misses, generator); }
};

TEST(SlotFromX, RangeEdges) {
  const std::vector<std::pair<int32_t, int32_t>> cases{
      {155, NoSlot}, {156, 0}, {179, 0}, {180, 1}, {227, 2}, {228, 3}, {250, 3}, {251, 4}, {273, 4},
      {274, 5},      {344, 7}, {345, 8}, {367, 8}, {368, 9}, {391, 9}, {392, NoSlot}, {-5, NoSlot}};
  for (const auto& [x, slot] : cases) EXPECT_EQ(slotFromX(x), slot) << "x " << x;
}

TEST(SlotFromX, SlotsAreContiguousWithTheirUnevenWidths) {
  std::vector<int32_t> widths(NoSlot, 0);
  int32_t previous = NoSlot;
  for (int32_t x = -1000; x < 1000; ++x) {
    const int32_t slot = slotFromX(x);
    if (slot == NoSlot) {
      EXPECT_TRUE(x < 156 || x >= 392) << "x " << x;
      continue;
    }
    // Slots follow one another from left to right without gaps.
    EXPECT_TRUE(slot == previous || slot == (previous == NoSlot ? 0 : previous + 1)) << "x " << x;
    ++widths[static_cast<size_t>(slot)];
    previous = slot;
  }
  EXPECT_EQ(widths, (std::vector<int32_t>{24, 24, 24, 23, 23, 24, 24, 23, 23, 24}));
  EXPECT_EQ(slotFromX(INT32_MIN), NoSlot);
  EXPECT_EQ(slotFromX(INT32_MAX), NoSlot);
}

TEST(SlotFromX, EverySprayerStepInsideTheFieldIsOneTarget) {
  // A shot lands at 145 + 23k: the sprayer starts at 105, moves in steps of 23 and shoots from x + 40.
  for (int32_t step = 0; step <= 13; ++step) {
    const int32_t expected = step >= 1 && step <= 10 ? step - 1 : NoSlot;
    EXPECT_EQ(slotFromX(145 + 23 * step), expected) << "step " << step;
  }
}

TEST_F(ShotRules, HitLeavesTheCounter) {
  miss(TargetEmpty, NoSlot);
  EXPECT_EQ(miss(5, 3), -1);
  EXPECT_EQ(misses, 1);
}

TEST_F(ShotRules, ShotOnASpoiledTargetIsAMiss) {
  EXPECT_EQ(miss(TargetSpoiled, 3), -2);
  EXPECT_EQ(misses, 1);
}

TEST_F(ShotRules, EveryFourthMissGivesTheNextColourAndOnlyItDraws) {
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(miss(TargetEmpty, NoSlot), -2);
    EXPECT_EQ(miss(7, NoSlot), -2) << "the state of no target is not consulted";
    EXPECT_EQ(miss(TargetEmpty, NoSlot), -2);
    EXPECT_EQ(misses, 3);
    EXPECT_EQ(miss(TargetEmpty, NoSlot), seedOneDraws[static_cast<size_t>(round)] % 6);
    EXPECT_EQ(misses, 0);
  }
  EXPECT_EQ(miss(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(generator.next(), seedOneDraws[2]) << "only random events draw";
}

TEST_F(ShotRules, HitsBetweenMissesDoNotResetTheCount) {
  EXPECT_EQ(miss(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(miss(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(miss(TargetEmpty, 0), -1);
  EXPECT_EQ(miss(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(miss(TargetSpoiled, 9), seedOneDraws[0] % 6);
}

// The phone C library's sequence, so every host draws the same colours.
TEST(ColourGenerator, FollowsThePhoneLibrarySequence) {
  ColourGenerator generator;  // the state of a program that never seeded
  for (int32_t expected : seedOneDraws) EXPECT_EQ(generator.next(), expected);
  generator.seed(0);
  for (int32_t expected : {38, 7719, 21238, 2437, 8855}) EXPECT_EQ(generator.next(), expected);
  generator.seed(1);
  for (int32_t draw : {41, 18467, 6334}) EXPECT_EQ(generator.colour(), draw % 6);
}

}  // namespace
