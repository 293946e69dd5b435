// Slot ranges, the program-wide miss counter and the random colour.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/system/random.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"

namespace {

// A random source that replays a fixed list of draws, so the colours of random events are known.
std::vector<int32_t> scriptedDraws;
size_t nextDraw = 0;
int32_t scriptedRandom() { return scriptedDraws.at(nextDraw++); }

class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::vector<int32_t> draws) {
    scriptedDraws = std::move(draws);
    nextDraw = 0;
    previous = setRandomSource(scriptedRandom);
  }
  ~ScriptedRandom() { setRandomSource(previous); }
  size_t drawsTaken() const { return nextDraw; }

 private:
  RandomSource previous;
};

class ShotRules : public ::testing::Test {
 protected:
  void SetUp() override { resetMissCounter(); }
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
  ScriptedRandom random({});
  missColour(TargetEmpty, NoSlot);
  EXPECT_EQ(missColour(5, 3), -1);
  EXPECT_EQ(missCounter, 1);
}

TEST_F(ShotRules, ShotOnASpoiledTargetIsAMiss) {
  ScriptedRandom random({});
  EXPECT_EQ(missColour(TargetSpoiled, 3), -2);
  EXPECT_EQ(missCounter, 1);
}

TEST_F(ShotRules, EveryFourthMissGivesARandomColour) {
  ScriptedRandom random({17, 9});
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(missColour(TargetEmpty, NoSlot), -2);
    EXPECT_EQ(missColour(7, NoSlot), -2) << "the state of no target is not consulted";
    EXPECT_EQ(missColour(TargetEmpty, NoSlot), -2);
    EXPECT_EQ(missCounter, 3);
    EXPECT_EQ(missColour(TargetEmpty, NoSlot), scriptedDraws[static_cast<size_t>(round)] % 6);
    EXPECT_EQ(missCounter, 0);
  }
  EXPECT_EQ(missColour(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(random.drawsTaken(), 2u) << "only random events draw";
}

TEST_F(ShotRules, HitsBetweenMissesDoNotResetTheCount) {
  ScriptedRandom random({4});
  EXPECT_EQ(missColour(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(missColour(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(missColour(TargetEmpty, 0), -1);
  EXPECT_EQ(missColour(TargetEmpty, NoSlot), -2);
  EXPECT_EQ(missColour(TargetSpoiled, 9), 4);
}

TEST(RandomColour, IsTheDrawModuloSix) {
  ScriptedRandom random({0, 5, 6, 13, 2147483647});
  for (int32_t draw : std::vector<int32_t>(scriptedDraws)) EXPECT_EQ(randomColour(), draw % 6);
}

TEST(RandomColour, DrawsFromThePlatformGeneratorByDefault) {
  platformSeedRandom(1);
  // The first draws of seed 1 are 41, 18467, 6334, 26500, 19169.
  for (int32_t draw : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(randomColour(), draw % 6);
}

// The phone C library's sequence, so every host draws the same colours.
TEST(PlatformRandom, FollowsThePhoneLibrarySequence) {
  platformSeedRandom(1);  // the state of a program that never seeded
  for (int32_t expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
    EXPECT_EQ(platformRandom(), expected);
  platformSeedRandom(0);
  for (int32_t expected : {38, 7719, 21238, 2437, 8855}) EXPECT_EQ(platformRandom(), expected);
}

TEST(PlatformRandom, SeedingRestartsTheSequenceAndDrawsStayInRange) {
  platformSeedRandom(2026);
  std::vector<int32_t> first;
  for (int i = 0; i < 1000; ++i) first.push_back(platformRandom());
  for (int32_t draw : first) {
    EXPECT_GE(draw, 0);
    EXPECT_LE(draw, 32767);
  }
  platformSeedRandom(2026);
  for (int32_t draw : first) EXPECT_EQ(platformRandom(), draw);
}

TEST(PlatformRandom, AReplacedSourceLeavesTheSequenceWhereItWas) {
  platformSeedRandom(1);
  EXPECT_EQ(platformRandom(), 41);
  {
    ScriptedRandom random({7, 7});
    EXPECT_EQ(platformRandom(), 7);
    EXPECT_EQ(platformRandom(), 7);
  }
  EXPECT_EQ(platformRandom(), 18467);
}

}  // namespace
