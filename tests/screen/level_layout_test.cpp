// Loading a level: what "fresh" changes, and level numbers that name no level.
#include <gtest/gtest.h>

#include "game_fixture.hpp"
#include "rules/level_table.hpp"
#include "screen/control_ids.hpp"

namespace {

std::vector<int32_t> board(int32_t level) {
  const auto& states = levelLayout(level)->startStates;
  return {states.begin(), states.end()};
}

}  // namespace

TEST_F(GameWindowTest, LevelOneNotFreshReplacesOnlyTheBoard) {
  continueAt(1);
  window->play.score = 170;
  window->play.shotsLeft = 40;
  earnKeys({2});
  setTargets({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  window->LoadLevel(1, false);
  EXPECT_EQ(targets(), board(1));
  EXPECT_EQ(window->play.score, 170);
  EXPECT_EQ(window->play.shotsLeft, 40);
  EXPECT_TRUE(window->play.keys[2]);
  window->LoadLevel(1, true);
  EXPECT_EQ(window->play.score, 0);
  EXPECT_EQ(window->play.shotsLeft, 100);
  EXPECT_FALSE(window->play.keys[2]);
}

TEST_F(GameWindowTest, LaterLevelsAreFreshEitherWay) {
  continueAt(5);
  window->play.score = 170;
  window->play.shotsLeft = 40;
  window->play.currentColour = 4;
  window->LoadLevel(5, false);
  EXPECT_EQ(targets(), board(5));
  EXPECT_EQ(window->play.score, 0);
  EXPECT_EQ(window->play.shotsLeft, 100);
  EXPECT_EQ(window->play.currentColour, 0);
  EXPECT_EQ(window->play.targetScore, 1200);
}

TEST_F(GameWindowTest, LevelNumbersOutsideTheGameChangeNothing) {
  continueAt(3);
  window->play.score = 90;
  for (int32_t level : {0, -1, 11, 99}) {
    window->LoadLevel(level, true);
    EXPECT_EQ(targets(), board(3)) << level;
    EXPECT_EQ(window->play.score, 90) << level;
    EXPECT_EQ(window->settings.level, 3) << level;
  }
}

TEST_F(GameWindowTest, LevelStartPutsTheTargetsHomeAndHidesTheKeys) {
  continueAt(10);
  for (size_t k = 0; k < window->targetSlots.size(); ++k) {
    EXPECT_EQ(window->targetSlots[k].GetPosX(), targetHomeX[k]);
    EXPECT_EQ(window->targetSlots[k].GetPosY(), 430);
  }
  for (const KeySprite& key : window->keyPictures) EXPECT_EQ(key.GetWidth(), 0);
  EXPECT_EQ(window->levelLabel.GetText(), CMzStringW(u"10"));
  EXPECT_EQ(window->targetSlots[3].GetImage(), &images.targetImages[19]);
  EXPECT_EQ(window->targetSlots[2].GetImage(), &images.targetImages[0]);
}
