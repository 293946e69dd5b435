// The words of the game screen: each event of play, worded in English from the
// difference before and after it, as a player by ear hears it.
#include <functional>
#include <string>
#include <vector>

#include "game_fixture.hpp"
#include "platform/language/language.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"
#include "screen/control_ids.hpp"

namespace {

constexpr int32_t S = TargetSpoiled;
constexpr int32_t Red = 0;
constexpr int32_t Yellow = 1;

class AnnouncementsTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    std::string error;
    ASSERT_TRUE(setActiveLanguage("en", error)) << error;
  }
  void TearDown() override {
    std::string error;
    setActiveLanguage(OriginalLanguage, error);
    GameWindowTest::TearDown();
  }
  // Level 1 with the board, the score and the loaded colours given, what was
  // said on entering put aside.
  void play(const std::vector<int32_t>& tubes, int32_t score, int32_t loaded, int32_t next) {
    openMenu();
    continueAt(1);
    setTargets(tubes);
    window->play.score = score;
    window->play.currentColour = loaded;
    window->play.nextColour = next;
    aimAt(0);
    window->AnnounceChanges();
    host.takeAnnouncements();
  }
};

struct EventCase {
  const char* name;
  std::vector<int32_t> tubes;
  int32_t score;
  std::function<void(GameWindow&, AnnouncementsTest&)> act;
  std::vector<std::string> said;
};

TEST_F(AnnouncementsTest, EachEventOfPlayIsWordedFromWhatChanged) {
  const auto fire = [](GameWindow& w, AnnouncementsTest&) {
    w.applyAction(runs::ActionKind::Fire);
    for (int tick = 0; tick < 30 && w.play.shotInFlight; ++tick) {
      w.onShotTick();
      w.AnnounceChanges();
    }
  };
  const std::vector<int32_t> empty(10, 0);
  const std::vector<EventCase> cases = {
      {"a measure lands", empty, 0, fire, {"Loaded yellow, next red.", "Tube 1, red, 1 of 3."}},
      {"a colour completed",
       {2, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       0,
       fire,
       {"Loaded yellow, next red.", "Tube 1 filled with red, plus 50 points.", "Key earned: red."}},
      {"primaries mixed", {4, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, fire,
       {"Loaded yellow, next red.", "Mixed yellow and red into orange. Tube 1, orange, 2 of 3."}},
      {"a tube spoiled", {7, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 100, fire,
       {"Loaded yellow, next red.", "Tube 1 broken by red, minus 30 points."}},
      {"a step", empty, 0, [](GameWindow& w, AnnouncementsTest&) { w.OnLButtonDown(0, 360, 300); w.AnnounceChanges(); },
       {"Tube 2, empty."}},
      {"a repair", {S, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 120,
       [](GameWindow& w, AnnouncementsTest&) { w.handleCommand(ControlId::repairButton, 0); w.AnnounceChanges(); },
       {"Tube 1 repaired. Score 70."}},
      {"shots bought", empty, 60,
       [](GameWindow& w, AnnouncementsTest&) { w.handleCommand(ControlId::buyShotsButton, 0); w.AnnounceChanges(); },
       {"Bought 25 shots, 125 shots left. Score 10."}},
      {"the status key", empty, 40, [](GameWindow& w, AnnouncementsTest&) { w.OnKeyDown(MzKey::S, 0); },
       {"Score 40, target 600, 100 shots left. 10 seconds left. 0 keys held. Missing: red, yellow, orange, "
        "green, blue, purple, gold."}},
      {"the tubes key", {3 * 2 + 2, S, 0, 0, 0, 0, 0, 0, 0, 13}, 0,
       [](GameWindow& w, AnnouncementsTest&) { w.OnKeyDown(MzKey::T, 0); },
       {"Tube 1, orange, 2 of 3. Tube 2, broken. Tube 3, empty. Tube 4, empty. Tube 5, empty. Tube 6, empty. "
        "Tube 7, empty. Tube 8, empty. Tube 9, empty. Tube 10, blue, 1 of 3."}},
  };
  for (const EventCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (&c != &cases.front()) {
      TearDown();
      SetUp();
    }
    play(c.tubes, c.score, Red, Yellow);
    scriptDraws({Red});
    c.act(*window, *this);
    EXPECT_EQ(host.takeAnnouncements(), c.said);
  }
}

TEST_F(AnnouncementsTest, TheTimeBarIsToldAtHalfAQuarterAndATenthAndTheRepeatKeySaysItAgain) {
  play(std::vector<int32_t>(10, 0), 0, Red, Yellow);
  window->applyAction(runs::ActionKind::Fire);
  window->AnnounceChanges();
  host.takeAnnouncements();
  for (int tick = 0; tick < 40 && window->play.timeBarRunning; ++tick) {
    window->onTimeBarTick();
    window->AnnounceChanges();
  }
  EXPECT_EQ(host.takeAnnouncements(), (std::vector<std::string>{"Half the time left.", "assertive: A quarter of the time left.",
                                                               "assertive: Time almost up!"}));
  window->OnKeyDown(MzKey::A, 0);
  EXPECT_EQ(host.takeAnnouncements(), (std::vector<std::string>{"assertive: Time almost up!"}));
}

// A day's attempt keeps the time bar it started with: the status key tells
// its time, whatever the options were changed to while it waited.
TEST_F(AnnouncementsTest, TheStatusKeyTellsTheAttemptsTimeNotTheOptions) {
  openMenu();
  ASSERT_TRUE(window->startDayAttempt(8, TimeMode::Normal, nullptr));
  window->OnKeyDown(MzKey::Escape, 0);  // under the menu
  window->handleCommand(ControlId::options, 0);
  window->handleCommand(ControlId::timeModeButton, 0);
  ASSERT_EQ(window->options.timeMode, TimeMode::Relaxed);
  window->handleCommand(ControlId::settingsBack, 0);
  window->handleCommand(ControlId::continueGame, 0);
  ASSERT_STREQ(window->currentScreen(), "game");
  host.takeAnnouncements();
  window->OnKeyDown(MzKey::S, 0);
  const std::vector<std::string> said = host.takeAnnouncements();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find(" 10 seconds left."), std::string::npos) << said[0];
  window->onTimeBarTick();
  EXPECT_EQ(window->play.timeBarX, Play::TimeBarFullX - 12) << "the bar keeps its pace too";
}

}  // namespace
