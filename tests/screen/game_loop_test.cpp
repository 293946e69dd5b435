// The play on screen, tick by tick: the end of an attempt shown, the time
// bar's pace, the lightning, the clouds, the pass light and the idle shot timer.
#include <gtest/gtest.h>

#include "game_fixture.hpp"
#include "rules/shot_rules.hpp"
#include "rules/time_mode.hpp"
#include "screen/control_ids.hpp"

namespace {

constexpr int32_t Spoilt = 19;

}  // namespace

TEST_F(GameWindowTest, LastTargetSpoiledEndsTheAttemptInTheSameTick) {
  continueAt(1);
  setTargets({16, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt, Spoilt});
  aimAt(0);
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);  // colour 0 spoils 16
  shotTicks(21);
  EXPECT_TRUE(window->play.gameOver);
  EXPECT_STREQ(window->currentScreen(), "gameover");
  EXPECT_FALSE(window->toolbar.IsVisible());
  EXPECT_TRUE(window->gameOverButtons[0].IsVisible());
}

TEST_F(GameWindowTest, TimeOutIsShownOnlyByTheNextFallingShot) {
  continueAt(6);
  for (int tick = 0; tick < 39; ++tick) window->OnTimer(TimerId::timeBar);
  EXPECT_FALSE(window->play.gameOver);
  window->OnTimer(TimerId::timeBar);
  EXPECT_TRUE(window->play.gameOver);
  EXPECT_FALSE(window->play.timeBarRunning);
  EXPECT_EQ(window->timeBar->GetPosX(), 0);
  EXPECT_STREQ(window->currentScreen(), "game");
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  EXPECT_TRUE(window->play.shotInFlight);
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
  EXPECT_EQ(window->play.score, -30);
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
  EXPECT_TRUE(window->play.keys[2]);
  EXPECT_TRUE(window->play.keys[6]);
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
  EXPECT_FALSE(window->play.shotInFlight);
  EXPECT_TRUE(window->timerIdle(TimerId::shot));
  EXPECT_FALSE(window->timerIdle(TimerId::timeBar));

  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  shotTicks(3);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  EXPECT_TRUE(window->timerIdle(TimerId::shot));
}
