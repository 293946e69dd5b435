// The words of the game screen: each event of play, worded in English from the
// difference before and after it, as a player by ear hears it.
#include <functional>
#include <string>
#include <vector>

#include "game_fixture.hpp"
#include "platform/language/language.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"
#include "screen/announcement_words.hpp"
#include "screen/control_ids.hpp"
#include "screen/counted_words.hpp"
#include "screen/daily_play.hpp"
#include "screen/sentence.hpp"

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

// Counted words in sentences, in the form each language gives each number:
// Russian's three, French's 0 and 1 alike, one form in Japanese and Chinese.
TEST(CountedWords, EachNumberTakesItsLanguagesFormInASentence) {
  struct Case {
    const char* language;
    const char16_t* pattern;
    std::string said;
    SentenceArg first;
    SentenceArg second = 0;
    SentenceArg third = 0;
  };
  const Case cases[] = {
      {"en", words::dailyStreak, "Streak 1 day, best streak 2 days.", Counted{words::days, 1}, Counted{words::days, 2}},
      {"en", words::shotsBought, "Bought 25 shots, 1 shot left. Score 10.", Counted{words::shots, 25},
       Counted{words::shots, 1}, 10},
      {"en", words::tubeSpoiledBy, "Tube 3 broken by red, minus 1 point.", 3, u"red", Counted{words::points, 1}},
      {"ru", words::dailyStreak, "Серия: 1 день, лучшая: 5 дней.", Counted{words::days, 1}, Counted{words::days, 5}},
      {"ru", words::dailyStreak, "Серия: 22 дня, лучшая: 11 дней.", Counted{words::days, 22}, Counted{words::days, 11}},
      {"ru", words::dailyResult, "Результат дня: 21 очко, 2 звезды, 25 выстрелов.", Counted{words::points, 21},
       Counted{words::stars, 2}, Counted{words::shots, 25}},
      {"fr", words::dailyResult, "Résultat du jour : 0 point, 1 étoile, 2 tirs.", Counted{words::points, 0},
       Counted{words::stars, 1}, Counted{words::shots, 2}},
      {"pt", words::dailyResult, "Resultado de hoje: 0 ponto, 1 estrela, 2 disparos.", Counted{words::points, 0},
       Counted{words::stars, 1}, Counted{words::shots, 2}},
      {"de", words::secondsLeft, "Noch 1 Sekunde.", Counted{words::seconds, 1}},
      {"es", words::keysHeld, "Tienes 1 llave.", Counted{words::keys, 1}},
      {"ja", words::dailyResult, "今日の結果：1点、星2個、3発。", Counted{words::points, 1}, Counted{words::stars, 2},
       Counted{words::shots, 3}},
      {"ko", words::keysHeld, "열쇠 1개 보유.", Counted{words::keys, 1}},
      {"zh", words::dailyResult, "今天的成绩：1分，2颗星，3发。", Counted{words::points, 1}, Counted{words::stars, 2},
       Counted{words::shots, 3}},
      {"en", words::makerCleared, "Cleared: 650 points, 1 star. Ready to share.", Counted{words::points, 650},
       Counted{words::stars, 1}},
      {"ru", words::boardBest, "Ваш рекорд: 1 очко, 3 звезды.", Counted{words::points, 1}, Counted{words::stars, 3}},
      {"de", words::targetScore, "Ziel 650 Punkte.", Counted{words::points, 650}},
      {"ko", words::makerScreen, "보드 만들기. 목표 600점.", Counted{words::points, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + ": " + c.said);
    std::string error;
    ASSERT_TRUE(setActiveLanguage(c.language, error)) << error;
    Sentence sentence;
    sentence.add(c.pattern, {c.first, c.second, c.third});
    EXPECT_EQ(sentence.view(), c.said);
  }
  std::string error;
  setActiveLanguage(OriginalLanguage, error);
}

// The share text counts the day's stars as its language does.
TEST(CountedWords, TheShareTextSaysOneStarAndTwoStars) {
  struct Case {
    const char* language;
    int32_t stars;
    std::string text;
  };
  const Case cases[] = {
      {"en", 1, "Quandrel daily 8: level 2, 4670 points, 1 star, 312 shots in 6:31. Race my run: QRUN.x"},
      {"en", 2, "Quandrel daily 8: level 2, 4670 points, 2 stars, 312 shots in 6:31. Race my run: QRUN.x"},
      {"ru", 1, "Quandrel, задача дня 8: уровень 2, 4670 очков, 1 звезда, 312 выстрелов, время 6:31. Сразись с моей записью: QRUN.x"},
      {"ru", 2, "Quandrel, задача дня 8: уровень 2, 4670 очков, 2 звезды, 312 выстрелов, время 6:31. Сразись с моей записью: QRUN.x"},
      {"zh", 1, "Quandrel每日挑战第8天：第2关，4670分，1颗星，312发，用时6:31。来挑战我的记录：QRUN.x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    std::string error;
    ASSERT_TRUE(setActiveLanguage(c.language, error)) << error;
    runs::RunResult result{8, 2, 4670, 312, 391000, c.stars, true};
    EXPECT_EQ(shareSentence(result, "QRUN.x"), c.text);
  }
  std::string error;
  setActiveLanguage(OriginalLanguage, error);
}

// A made board's share text counts its clear's points and stars the same way.
TEST(CountedWords, TheMadeBoardsShareTextSaysOneStarAndTwoStars) {
  struct Case {
    const char* language;
    int32_t stars;
    std::string text;
  };
  const Case cases[] = {
      {"en", 1, "I made a Quandrel board and cleared it: 1 point, 1 star. Can you? QBRD.x"},
      {"en", 2, "I made a Quandrel board and cleared it: 1 point, 2 stars. Can you? QBRD.x"},
      {"ru", 2, "Я сделал поле в Quandrel и прошёл его: 1 очко, 2 звезды. Сможете? QBRD.x"},
      {"zh", 1, "我做了一个Quandrel关卡，1分、1颗星通关。你能过吗？QBRD.x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    std::string error;
    ASSERT_TRUE(setActiveLanguage(c.language, error)) << error;
    runs::RunResult result{0, 1, 1, 40, 60000, c.stars, true};
    EXPECT_EQ(filledShareSentence(u"我做了一个Quandrel关卡，{score}、{stars}通关。你能过吗？{link}", result, "QBRD.x"), c.text);
  }
  std::string error;
  setActiveLanguage(OriginalLanguage, error);
}

}  // namespace
