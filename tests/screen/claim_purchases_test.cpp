// Claiming a level and the two purchases, down to the exact price.
#include <gtest/gtest.h>

#include "game_fixture.hpp"
#include "progress/records_file.hpp"
#include "rules/shot_rules.hpp"
#include "screen/control_ids.hpp"

TEST_F(GameWindowTest, ClaimWithoutTheKeysOnlyPlaysTheTune) {
  continueAt(1);
  earnKeys({0, 1, 2, 3, 4, 5});
  window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
  EXPECT_FALSE(window->play.levelPassed);
  EXPECT_STREQ(window->currentScreen(), "game");
  EXPECT_EQ(host.takeSounds(), std::vector<uint32_t>{3});
}

// A level reset from level 2 on hides the level-passed buttons, possibly
// before they were ever built; the first claim must still show them.
TEST_F(GameWindowTest, FirstClaimShowsTheChoiceButtonsAfterALaterLevelStart) {
  continueAt(5);
  earnKeys({0, 1, 2, 3, 4, 5, 6, 7});
  window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
  EXPECT_TRUE(window->play.levelPassed);
  EXPECT_STREQ(window->currentScreen(), "passed");
  EXPECT_FALSE(window->toolbar.IsVisible());
  for (const UiButton_Image& choice : window->choiceButtons) EXPECT_TRUE(choice.IsVisible());
  window->handleCommand(ControlId::firstChoice + 7, 0);
  EXPECT_EQ(window->currentLevel, 6);
  EXPECT_STREQ(window->currentScreen(), "game");
  for (const UiButton_Image& choice : window->choiceButtons) EXPECT_FALSE(choice.IsVisible());
}

// A claim counts the attempt's shots, purchases and repairs in the level's
// records and saves them; a lost attempt changes nothing.
TEST_F(GameWindowTest, AClaimKeepsTheAttemptInTheRecordsAndALostOneDoesNot) {
  const std::string recordsPath = (directory / "quandrel-records.ini").string();
  const auto claimWith = [&](int32_t score) {
    earnKeys({0, 1, 2, 3, 4, 5, 6, 7});
    window->play.score = score;
    window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
    EXPECT_STREQ(window->currentScreen(), "passed");
  };
  continueAt(2);  // slots 3 and 7 start spoiled
  aimAt(NoSlot);
  fireAndLand();
  fireAndLand();
  window->play.score = 100;
  window->handleCommand(ControlId::repairButton, 0);
  claimWith(700);
  claimWith(700);  // the command again on the level-passed screen
  EXPECT_EQ(window->records.level(2), (LevelRecord{1, 700, 2, 0, 2}));
  EXPECT_TRUE(window->recordMarkPicture.IsVisible());
  EXPECT_EQ(loadRecords(recordsPath), window->records);

  // The retry of a lost attempt: its shots and purchases never reach the records.
  window->handleCommand(ControlId::firstChoice, 0);
  EXPECT_FALSE(window->recordMarkPicture.IsVisible()) << "the mark goes with the level-passed screen";
  window->play.score = 50;
  window->handleCommand(ControlId::buyShotsButton, 0);
  window->play.shotsLeft = 0;
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  EXPECT_STREQ(window->currentScreen(), "gameover");
  EXPECT_EQ(window->records.level(3).claims, 0);
  window->handleCommand(ControlId::retryButton, 0);
  claimWith(650);
  EXPECT_EQ(window->records.level(3), (LevelRecord{1, 650, 0, 0, 3})) << "nothing bought or repaired in the retry";

  EXPECT_EQ(loadRecords(recordsPath), window->records);
}

// Records are of play under the designed time bar: an attempt played Relaxed,
// or turned Relaxed for a while, keeps none; a claim then shows no mark.
TEST_F(GameWindowTest, OnlyAnAttemptWhollyUnderTheNormalTimeBarKeepsRecords) {
  const auto claim = [&] {
    earnKeys({0, 1, 2, 3, 4, 5, 6, 7});
    window->play.score = 700;
    window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
    EXPECT_STREQ(window->currentScreen(), "passed");
  };
  const auto pressTimeMode = [&](int times) {
    for (int i = 0; i < times; ++i) window->handleCommand(ControlId::timeModeButton, 0);
  };
  pressTimeMode(1);  // Relaxed
  continueAt(2);
  claim();
  EXPECT_EQ(window->records.level(2).claims, 0);
  EXPECT_FALSE(window->recordMarkPicture.IsVisible());
  pressTimeMode(2);  // Off, then Normal
  window->handleCommand(ControlId::firstChoice, 0);
  pressTimeMode(3);  // Relaxed and Off for a while, Normal again at the claim
  claim();
  EXPECT_EQ(window->records.level(3).claims, 0);
  window->handleCommand(ControlId::firstChoice, 0);
  claim();
  EXPECT_EQ(window->records.level(4).claims, 1);
  EXPECT_TRUE(window->recordMarkPicture.IsVisible());
}
