// The play driven tick by tick: the random colour of every fourth miss, the
// end of an attempt, the lightning, the clouds and the key rule.
#include <gtest/gtest.h>

#include "game_fixture.hpp"
#include "rules/shot_rules.hpp"
#include "rules/time_mode.hpp"
#include "screen/control_ids.hpp"

namespace {

constexpr int32_t Spoilt = 19;

}  // namespace

TEST_F(GameWindowTest, FourthMissThrowsAFreshDrawOntoTheLeftmostUnspoiledTarget) {
  continueAt(4);  // Spoilt Spoilt 7 Spoilt 7 0 13 Spoilt Spoilt 13
  aimAt(NoSlot);
  // Draws: each fired shot's next colour, then the miss's own draw (which
  // only marks the event), then the colour that is thrown: 2.
  scriptDraws({0, 0, 0, 0, 1, 2});
  for (int shot = 0; shot < 3; ++shot) fireAndLand();
  EXPECT_EQ(missCounter, 3);
  EXPECT_EQ(targets(), (std::vector<int32_t>{Spoilt, Spoilt, 7, Spoilt, 7, 0, 13, Spoilt, Spoilt, 13}));
  fireAndLand();
  EXPECT_EQ(missCounter, 0);
  EXPECT_EQ(targets(), (std::vector<int32_t>{Spoilt, Spoilt, 8, Spoilt, 7, 0, 13, Spoilt, Spoilt, 13}));
}

TEST_F(GameWindowTest, RandomCompletionScoresWithoutClouds) {
  continueAt(7);  // Spoilt 11 0 Spoilt 0 0 Spoilt Spoilt Spoilt 2
  aimAt(NoSlot);
  scriptDraws({0, 0, 0, 0, 0, 3});
  for (int shot = 0; shot < 4; ++shot) fireAndLand();
  EXPECT_EQ(window->targetSlots[1].state, 0);
  EXPECT_EQ(window->score, 50);
  EXPECT_TRUE(window->keyPictures[3].earned);
  EXPECT_FALSE(timerRunning(TimerId::cloud));
}

TEST_F(GameWindowTest, RandomSpoilAfterTheClaimCostsNothing) {
  continueAt(1);
  window->levelPassed = true;
  aimAt(NoSlot);
  scriptDraws({0, 0, 0, 0, 0, 1});  // 16 + colour 1 spoils slot 0
  for (int shot = 0; shot < 4; ++shot) fireAndLand();
  EXPECT_EQ(window->targetSlots[0].state, Spoilt);
  EXPECT_EQ(window->score, 0);
  EXPECT_FALSE(window->lightningRunning);
}

TEST_F(GameWindowTest, LastTargetSpoiledEndsTheAttemptInTheSameTick) {
  continueAt(1);
  setTargets({16, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt});
  aimAt(0);
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);  // colour 0 spoils 16
  shotTicks(21);
  EXPECT_TRUE(window->gameOver);
  EXPECT_STREQ(window->currentScreen(), "gameover");
  EXPECT_FALSE(window->toolbar.IsVisible());
  EXPECT_TRUE(window->gameOverButtons[0].IsVisible());
}

TEST_F(GameWindowTest, ShotFiredWithTheLastChargeIsNeverResolved) {
  continueAt(6);
  aimAt(0);
  window->shotsLeft = 1;
  fireAndLand();
  EXPECT_EQ(window->shotsLeft, 0);
  EXPECT_TRUE(window->hitPending);
  EXPECT_EQ(window->targetSlots[0].state, 0);
  EXPECT_FALSE(window->gameOver);
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  EXPECT_TRUE(window->gameOver);
  EXPECT_STREQ(window->currentScreen(), "gameover");
}

TEST_F(GameWindowTest, TimeOutIsShownOnlyByTheNextFallingShot) {
  continueAt(6);
  for (int tick = 0; tick < 39; ++tick) window->OnTimer(TimerId::timeBar);
  EXPECT_FALSE(window->gameOver);
  window->OnTimer(TimerId::timeBar);
  EXPECT_TRUE(window->gameOver);
  EXPECT_FALSE(window->timeBarRunning);
  EXPECT_EQ(window->timeBar->GetPosX(), 0);
  EXPECT_STREQ(window->currentScreen(), "game");
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  EXPECT_TRUE(window->shotInFlight);
  EXPECT_STREQ(window->currentScreen(), "game");
  shotTicks(1);
  EXPECT_STREQ(window->currentScreen(), "gameover");
}

// A paused attempt goes on at the new pace from where its bar stood.
TEST_F(GameWindowTest, ChangingTheModeWhilePausedKeepsTheBarWhereItStood) {
  continueAt(1);
  for (int tick = 0; tick < 10; ++tick) window->OnTimer(TimerId::timeBar);
  EXPECT_EQ(window->timeBar->GetPosX(), 480 - 10 * 12);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::options, 0);
  window->handleCommand(ControlId::timeModeButton, 0);
  EXPECT_EQ(window->options.timeMode, TimeMode::Relaxed);
  window->handleCommand(ControlId::settingsBack, 0);
  window->handleCommand(ControlId::continueGame, 0);
  window->OnTimer(TimerId::timeBar);
  EXPECT_EQ(window->timeBar->GetPosX(), 480 - 10 * 12 - 4);
}

TEST_F(GameWindowTest, LightningShowsAllFourFramesThenEnds) {
  continueAt(1);
  aimAt(0);
  fireAndLand();  // colour 0 spoils slot 0
  ASSERT_TRUE(window->lightningRunning);
  EXPECT_EQ(window->score, -30);
  for (int frame = 0; frame < 4; ++frame) {
    window->OnTimer(TimerId::lightning);
    EXPECT_EQ(window->currentLightning, &window->lightningPictures[static_cast<size_t>(frame)]);
    EXPECT_TRUE(window->currentLightning->IsVisible());
    EXPECT_TRUE(window->lightningRunning);
  }
  window->OnTimer(TimerId::lightning);
  EXPECT_FALSE(window->lightningRunning);
  EXPECT_EQ(window->lightningFrame, 0);
  EXPECT_FALSE(window->lightningPictures[3].IsVisible());
  EXPECT_FALSE(timerRunning(TimerId::lightning));
}

TEST_F(GameWindowTest, CloudDriftEndsWhenTheLastDriftingCloudHasLeft) {
  continueAt(9);  // Spoilt Spoilt Spoilt Spoilt 5 0 Spoilt 1 Spoilt 0
  aimAt(4);
  scriptDraws({0, 5});  // next colour, then a drift count of 5
  fireAndLand();        // 5 + colour 0 completes colour 2, mixed from primaries
  EXPECT_TRUE(window->keyPictures[2].earned);
  EXPECT_TRUE(window->keyPictures[6].earned);
  EXPECT_EQ(window->cloudDriftCount, 4);  // only four clouds are shown
  ASSERT_TRUE(timerRunning(TimerId::cloud));
  int ticks = 0;
  while (timerRunning(TimerId::cloud) && ticks < 1000) {
    window->OnTimer(TimerId::cloud);
    ++ticks;
  }
  EXPECT_GE(window->cloudPictures[3].GetPosX(), 480);
  EXPECT_LT(window->cloudPictures[4].GetPosX(), 0);  // the spare stays off screen
  EXPECT_EQ(ticks, (480 + 400) / 10 + 1);
}

TEST_F(GameWindowTest, KeyRuleOfLevelOneLeavesOutTheMixedKey) {
  struct Case {
    int32_t level;
    std::vector<int32_t> keys;
    bool holds;
  };
  const Case cases[] = {
      {1, {0, 1, 2, 3, 4, 5, 7}, true},    {1, {0, 1, 2, 3, 4, 5}, false},
      {2, {0, 1, 2, 3, 4, 5, 7}, false},   {2, {0, 1, 2, 3, 4, 5, 6, 7}, true},
      {10, {0, 1, 2, 3, 4, 5, 6, 7}, true}, {3, {1, 2, 3, 4, 5, 6, 7}, false},
  };
  for (const Case& c : cases) {
    window->currentLevel = c.level;
    for (KeySprite& key : window->keyPictures) key.earned = false;
    earnKeys(c.keys);
    EXPECT_EQ(window->keyRuleHolds(), c.holds) << "level " << c.level;
  }
}

TEST_F(GameWindowTest, PassIndicatorLightsAtTheNextShotTick) {
  continueAt(2);
  earnKeys({0, 1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(window->passIndicator.GetImage_Normal(), window->passDimImage);
  aimAt(NoSlot);
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  shotTicks(1);
  EXPECT_EQ(window->passIndicator.GetImage_Normal(), window->passLitImage);
}

// A host sleeps through an idle timer: the shot timer must not idle while a
// shot falls (the shot would stop), and idles once it landed or under the menu.
TEST_F(GameWindowTest, ShotTimerIdlesOnlyWhenItsTicksChangeNothing) {
  continueAt(1);
  EXPECT_TRUE(window->timerIdle(TimerId::shot));  // no shot yet
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  for (int tick = 0; tick < 23; ++tick) {
    EXPECT_FALSE(window->timerIdle(TimerId::shot)) << "tick " << tick;
    shotTicks(1);
  }
  EXPECT_FALSE(window->timerIdle(TimerId::shot));  // the tick that hides it
  shotTicks(1);
  EXPECT_FALSE(window->shotInFlight);
  EXPECT_TRUE(window->timerIdle(TimerId::shot));
  EXPECT_FALSE(window->timerIdle(TimerId::timeBar));

  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  shotTicks(3);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  EXPECT_TRUE(window->timerIdle(TimerId::shot));
}
