// Moving between the screens, where the game mends what would otherwise lock
// the menu or lose the player's progress.
#include <gtest/gtest.h>

#include <array>

#include "game_fixture.hpp"
#include "screen/control_group.hpp"
#include "screen/control_ids.hpp"
#include "screen/daily_screen.hpp"

TEST_F(GameWindowTest, StartupScreenIsTheSplashOverTheGameControls) {
  const auto& controls = window->controls();
  ASSERT_EQ(controls.size(), 55u);
  EXPECT_EQ(controls.front(), &window->backgroundPicture);
  EXPECT_EQ(controls[controls.size() - 2], &window->splashPicture);
  EXPECT_EQ(controls.back(), &window->toolbar);
  EXPECT_FALSE(window->toolbar.IsVisible());
  EXPECT_EQ(window->play.currentColour, 0);
  EXPECT_EQ(window->activePreview, &window->previewPictures[0]);
  EXPECT_EQ(window->timeBar->GetPosX(), 480);
  EXPECT_EQ(window->levelLabel.GetText(), CMzStringW(u"1"));
  EXPECT_TRUE(timerRunning(TimerId::splash));
  EXPECT_STREQ(window->currentScreen(), "splash");
}

TEST_F(GameWindowTest, ContinueWhilePausedResumesWithoutReloading) {
  continueAt(3);
  window->play.tubes[0] = 17;
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  EXPECT_TRUE(window->play.paused);
  EXPECT_FALSE(timerRunning(TimerId::timeBar));
  window->settings.level = 8;  // not read while a game is paused
  window->handleCommand(ControlId::continueGame, 0);
  EXPECT_EQ(window->currentLevel, 3);
  EXPECT_EQ(window->play.tubes[0], 17);
  EXPECT_TRUE(timerRunning(TimerId::timeBar));
}

TEST_F(GameWindowTest, PausedShotWaitsUnderTheMenu) {
  continueAt(6);
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  shotTicks(5);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  const int32_t y = window->flyingShot->GetPosY();
  shotTicks(30);
  EXPECT_EQ(window->flyingShot->GetPosY(), y);
  window->handleCommand(ControlId::continueGame, 0);
  shotTicks(30);
  EXPECT_FALSE(window->play.shotInFlight);
}

// Leaving a game whose time ran out (not yet shown) must not lock start and
// continue for the rest of the run.
TEST_F(GameWindowTest, PausedAfterTimeOutTheMenuStillStartsGames) {
  continueAt(4);
  for (int tick = 0; tick < 40; ++tick) window->OnTimer(TimerId::timeBar);
  ASSERT_TRUE(window->play.gameOver);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::continueGame, 0);
  EXPECT_STREQ(window->currentScreen(), "game");
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::startGame, 0);
  EXPECT_EQ(window->currentLevel, 1);
  EXPECT_FALSE(window->play.gameOver);
  EXPECT_STREQ(window->currentScreen(), "game");
}

TEST_F(GameWindowTest, AfterTheLastLevelTheChoiceLeadsToTheFinaleAndAnyPressBackToTheMenu) {
  window->records.recordClaim(3, {900, 60, 50000, false, false});
  continueAt(10);
  earnKeys({0, 1, 2, 3, 4, 5, 6, 7});
  window->play.score = 1200;
  window->handleCommand(ControlId::toolbar, ToolbarButton::claim);
  window->handleCommand(ControlId::firstChoice, 0);
  EXPECT_STREQ(window->currentScreen(), "finale");
  EXPECT_FALSE(window->play.levelPassed);
  for (const UiButton_Image& choice : window->choiceButtons) EXPECT_FALSE(choice.IsVisible());
  EXPECT_EQ(window->finale.score.GetText(), CMzStringW(u"2100"));
  EXPECT_EQ(window->finale.stars.GetText(), CMzStringW(u"6 / 30"));
  window->handleCommand(ControlId::startGame, 0);
  EXPECT_STREQ(window->currentScreen(), "finale") << "the menu is not up yet";
  window->OnKeyDown(MzKey::B, 0);
  EXPECT_STREQ(window->currentScreen(), "menu");
  window->handleCommand(ControlId::startGame, 0);
  EXPECT_STREQ(window->currentScreen(), "game");
  EXPECT_EQ(window->currentLevel, 1);
}

TEST_F(GameWindowTest, SettingsRecordFollowsTheGame) {
  continueAt(4);
  EXPECT_EQ(window->settings.level, 4);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::startGame, 0);  // a new game does not lower it
  EXPECT_EQ(window->settings.level, 4);
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::options, 0);
  window->handleCommand(ControlId::soundToggle, 0);
  window->handleCommand(ControlId::movementToggle, 0);
  GameSettings saved((directory / "quandrel.ini").u16string());
  EXPECT_EQ(saved.level, 4);
  EXPECT_EQ(saved.isSound, window->sound.enabled);
  EXPECT_EQ(saved.isMove, window->movementOn);
}

// A screen's controls shown and hidden together: each control given, each of
// an array's, a panel button's button, a panel row's word and value; no other.
TEST(ControlGroup, ShowsAndHidesEachControlItWasGivenAndNoOther) {
  UiPicture picture;
  std::array<UiStatic, 2> labels;
  PanelButton button;
  std::array<PanelRow, 2> rows;
  UiStatic outside;
  ControlGroup group;
  EXPECT_TRUE(group.empty());
  group.add(picture, labels, button, rows);
  EXPECT_FALSE(group.empty());
  const std::array<const UiWin*, 8> members = {&picture,       &labels[0],     &labels[1],    &button.button,
                                               &rows[0].word, &rows[0].value, &rows[1].word, &rows[1].value};
  for (const bool visible : {false, true, false}) {
    group.setVisible(visible);
    for (const UiWin* member : members) EXPECT_EQ(member->IsVisible(), visible);
    EXPECT_TRUE(outside.IsVisible());
  }
}
