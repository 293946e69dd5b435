// Claiming a level, the two purchases, moving the sprayer by touch and the
// desktop keys.
#include <gtest/gtest.h>

#include "game_fixture.hpp"
#include "screen/control_ids.hpp"

TEST_F(GameWindowTest, ClaimWithoutTheKeysOnlyPlaysTheTune) {
  continueAt(1);
  earnKeys({0, 1, 2, 3, 4, 5});
  window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
  EXPECT_FALSE(window->levelPassed);
  EXPECT_STREQ(window->currentScreen(), "game");
  EXPECT_EQ(host.takeSounds(), std::vector<uint32_t>{3});
}

// A level reset from level 2 on hides the level-passed buttons, possibly
// before they were ever built; the first claim must still show them.
TEST_F(GameWindowTest, FirstClaimShowsTheChoiceButtonsAfterALaterLevelStart) {
  continueAt(5);
  earnKeys({0, 1, 2, 3, 4, 5, 6, 7});
  window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
  EXPECT_TRUE(window->levelPassed);
  EXPECT_STREQ(window->currentScreen(), "passed");
  EXPECT_FALSE(window->toolbar.IsVisible());
  for (const UiButton_Image& choice : window->choiceButtons) EXPECT_TRUE(choice.IsVisible());
  window->handleCommand(ControlId::firstChoice + 7, 0);
  EXPECT_EQ(window->currentLevel, 6);
  EXPECT_STREQ(window->currentScreen(), "game");
  for (const UiButton_Image& choice : window->choiceButtons) EXPECT_FALSE(choice.IsVisible());
}

TEST_F(GameWindowTest, PurchasesNeedFiftyPoints) {
  continueAt(2);  // slots 3 and 7 start spoiled
  window->score = 49;
  window->handleCommand(ControlId::repairButton, 0);
  window->handleCommand(ControlId::buyShotsButton, 0);
  EXPECT_EQ(window->score, 49);
  EXPECT_EQ(window->shotsLeft, 100);
  EXPECT_EQ(window->targetSlots[3].state, 19);
  EXPECT_TRUE(host.takeSounds().empty());

  window->score = 50;
  window->handleCommand(ControlId::repairButton, 0);
  EXPECT_EQ(window->score, 0);
  EXPECT_EQ(window->targetSlots[3].state, 0);
  EXPECT_EQ(window->targetSlots[7].state, 19);
  EXPECT_EQ(host.takeSounds(), std::vector<uint32_t>{6});

  window->score = 50;
  window->handleCommand(ControlId::buyShotsButton, 0);
  EXPECT_EQ(window->score, 0);
  EXPECT_EQ(window->shotsLeft, 125);
  EXPECT_TRUE(host.takeSounds().empty());
  EXPECT_EQ(window->buyShotsButton.GetImage_Normal(), window->buyDimImage);
}

TEST_F(GameWindowTest, RepairWithNothingSpoiledStillCosts) {
  continueAt(1);
  window->score = 120;
  window->handleCommand(ControlId::repairButton, 0);
  EXPECT_EQ(window->score, 70);
  EXPECT_EQ(targets(), (std::vector<int32_t>{16, 4, 7, 10, 7, 16, 13, 10, 16, 13}));
}

TEST_F(GameWindowTest, TapsStepTheSprayerWithinItsRange) {
  struct Tap {
    int32_t x, y, sprayerBefore, sprayerAfter;
  };
  const Tap taps[] = {
      {300, 100, 105, 128}, {100, 100, 128, 105}, {100, 100, 105, 105}, {240, 100, 128, 128},
      {300, 612, 128, 128}, {300, 611, 128, 151}, {479, 0, 381, 404},   {479, 0, 404, 404},
  };
  openMenu();
  for (const Tap& tap : taps) {
    window->sprayerX = tap.sprayerBefore;
    window->sprayerPicture.SetPos(tap.sprayerBefore, 10, 80, 153, 0);
    window->OnLButtonDown(0, tap.x, tap.y);
    EXPECT_EQ(window->sprayerX, tap.sprayerAfter) << tap.x << "," << tap.y;
    EXPECT_EQ(window->sprayerPicture.GetPosX(), tap.sprayerAfter);
  }
}

TEST_F(GameWindowTest, DragAtTheRightEdgeStepsBetween404And427) {
  window->sprayerX = 381;
  const int32_t expected[] = {404, 427, 404, 427};
  for (int32_t x : expected) {
    window->OnMouseMove(0, 470, 300);
    EXPECT_EQ(window->sprayerX, x);
  }
}

TEST_F(GameWindowTest, WithMovementOnTheSprayerGlidesToItsStep) {
  window->movementOn = true;
  window->OnLButtonDown(0, 300, 100);
  EXPECT_EQ(window->sprayerX, 128);
  EXPECT_EQ(window->sprayerPicture.GetPosX(), 105);
  EXPECT_TRUE(timerRunning(TimerId::glide));
  int ticks = 0;
  while (timerRunning(TimerId::glide) && ticks < 100) {
    window->OnTimer(TimerId::glide);
    EXPECT_GT(window->sprayerPicture.GetPosX(), 105);
    ++ticks;
  }
  EXPECT_EQ(window->sprayerPicture.GetPosX(), 128);
  EXPECT_EQ(ticks, 4);
}

TEST_F(GameWindowTest, KeysActOnlyWhereTheirButtonsAre) {
  openMenu();
  window->OnKeyDown(MzKey::Space, 0);
  window->OnKeyDown(MzKey::Right, 0);
  EXPECT_EQ(window->shotsLeft, 100);
  EXPECT_EQ(window->sprayerX, 105);

  window->handleCommand(ControlId::startGame, 0);
  window->OnKeyDown(MzKey::Right, 0);
  window->OnKeyDown(MzKey::Right, 0);
  window->OnKeyDown(MzKey::Left, 0);
  EXPECT_EQ(window->sprayerX, 128);
  window->OnKeyDown(MzKey::Space, 0);
  EXPECT_EQ(window->shotsLeft, 99);
  window->score = 100;
  window->OnKeyDown(MzKey::B, 0);
  EXPECT_EQ(window->shotsLeft, 124);
  window->OnKeyDown(MzKey::R, 0);
  EXPECT_EQ(window->score, 0);
  host.takeSounds();
  window->OnKeyDown(MzKey::Return, 0);
  EXPECT_EQ(host.takeSounds(), std::vector<uint32_t>{3});
  window->OnKeyDown(MzKey::Escape, 0);
  EXPECT_TRUE(window->paused);
  EXPECT_STREQ(window->currentScreen(), "menu");

  window->handleCommand(ControlId::options, 0);
  window->OnKeyDown(MzKey::Escape, 0);
  EXPECT_STREQ(window->currentScreen(), "menu");
  window->handleCommand(ControlId::helpButton, 0);
  window->OnKeyDown(MzKey::Escape, 0);
  EXPECT_STREQ(window->currentScreen(), "menu");
}
