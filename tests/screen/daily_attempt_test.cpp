// A day's challenge played in the real game window on a clock of its own: the
// day's colours, the one official attempt, its result proven by replay, and a
// proof that leaves the live game exactly as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "play/run_proof.hpp"
#include "progress/daily_file.hpp"
#include "rules/shot_rules.hpp"
#include "runs/day_calendar.hpp"
#include "runs/run_token.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "test_clock.hpp"

namespace {

constexpr int32_t Today = 8;  // 2026-12-08

class DailyAttemptTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("QUANDREL_TODAY", "2026-12-08", 1);
    directory = std::filesystem::temp_directory_path() /
                ("quandrel-daily-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory);
    clock = std::make_unique<TestClock>();
    window = std::make_unique<GameWindow>(images, (directory / "quandrel.ini").u16string());
    ASSERT_TRUE(window->Create(0, 0, 480, 720));
    window->OnTimer(TimerId::splash);
  }

  void TearDown() override {
    window.reset();
    clock.reset();
    unsetenv("QUANDREL_TODAY");
    std::filesystem::remove_all(directory);
  }

  void wait(uint32_t ms) { clock->advanceTo(clock->nowMs() + ms); }
  void fire() { window->handleCommand(ControlId::toolbar, ToolbarButton::fire); }
  void tap(int32_t x) { window->OnLButtonDown(0, x, 300); }

  // The same moves every time: steps across the board, a shot after each,
  // each shot landing before the next. Returns the colours the shots carried.
  std::vector<int32_t> playMoves(int shots) {
    std::vector<int32_t> colours;
    for (int i = 0; i < shots; ++i) {
      tap(i % 7 < 4 ? 400 : 100);
      wait(120);
      colours.push_back(window->play.currentColour);
      fire();
      wait(1300);
    }
    return colours;
  }

  std::string fileText(const char* name) const {
    std::ifstream file(directory / name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  std::unique_ptr<TestClock> clock;
  SharedImages images;
  std::filesystem::path directory;
  std::unique_ptr<GameWindow> window;
};

}  // namespace

TEST_F(DailyAttemptTest, TheOfficialAttemptIsKeptAsItsReplayProvesIt) {
  ASSERT_TRUE(window->startDailyAttempt());
  EXPECT_TRUE(window->daily.official);
  EXPECT_EQ(window->currentLevel, runs::levelOfDay(Today));
  playMoves(20);
  ASSERT_TRUE(window->daily.attemptActive);
  const int32_t liveScore = window->play.score;
  const int32_t liveShots = window->play.shotsFired;
  // Leaving for another game ends the attempt with its score at that moment.
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::startGame, 0);
  EXPECT_EQ(window->currentLevel, 1);

  const DailyToday today = window->dailyToday();
  ASSERT_TRUE(today.result);
  EXPECT_EQ(today.result->score, liveScore);
  EXPECT_EQ(today.result->shots, liveShots);
  EXPECT_FALSE(today.result->claimed);
  EXPECT_EQ(today.streak, 1);
  const std::string token = window->dailyShareToken();
  const RunVerdict verdict = verifyRunToken(token);
  ASSERT_TRUE(verdict.accepted()) << runs::refusalName(verdict.refusal);
  EXPECT_EQ(verdict.result, *today.result);
  EXPECT_NE(window->dailyShareText().find(token), std::string::npos);

  // The file holds the same, and daily play changed no record or saved level.
  runs::DailyHistory stored;
  ASSERT_EQ(readDailyHistory((directory / "quandrel-daily.ini").string(), stored), progress::ReadResult::Read);
  EXPECT_EQ(stored, window->daily.history);
  EXPECT_EQ(window->records.level(runs::levelOfDay(Today)).claims, 0);
  EXPECT_LE(window->settings.level, 1);
}

TEST_F(DailyAttemptTest, TheDaysColoursFollowTheMovesNotWhatCameBefore) {
  window->play.generator.next();  // draws before the day's attempt change nothing in it
  ASSERT_TRUE(window->startDailyAttempt());
  const std::vector<int32_t> official = playMoves(30);
  // A restart after the game is over replays the same day as practice.
  for (int i = 0; i < 50 && !window->play.gameOver; ++i) wait(1000);
  ASSERT_STREQ(window->currentScreen(), "gameover");
  window->handleCommand(ControlId::retryButton, 0);
  EXPECT_FALSE(window->daily.official);
  EXPECT_TRUE(window->daily.attemptActive);
  EXPECT_EQ(playMoves(30), official);

  // Another day meets other colours for the same moves.
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  ASSERT_TRUE(window->startRunAttempt(runs::Run{1, 1, Today + 1, runs::levelOfDay(Today), TimeMode::Normal, {}, std::nullopt}, nullptr));
  EXPECT_NE(playMoves(30), official);
}

TEST_F(DailyAttemptTest, ProvingARunLeavesTheLiveGameAsItWas) {
  ASSERT_TRUE(window->startDailyAttempt());
  playMoves(12);
  runs::Run recorded = window->daily.run;
  const ColourGenerator generator = window->play.generator;
  const int32_t misses = window->play.missCounter;
  const int32_t score = window->play.score;
  const int32_t next = window->play.nextColour;
  const uint64_t now = clock->nowMs();
  const std::string daily = fileText("quandrel-daily.ini");

  EXPECT_TRUE(verifyRun(recorded).accepted());
  recorded.actions.insert(recorded.actions.begin(), runs::RunAction{0, runs::ActionKind::StepLeft});
  EXPECT_EQ(verifyRun(recorded).refusal, runs::RunRefusal::ImpossibleMove) << "no step left of the first place";

  EXPECT_EQ(window->play.generator, generator);
  EXPECT_EQ(window->play.missCounter, misses);
  EXPECT_EQ(window->play.score, score);
  EXPECT_EQ(window->play.nextColour, next);
  EXPECT_EQ(clock->nowMs(), now);
  EXPECT_EQ(fileText("quandrel-daily.ini"), daily);
  EXPECT_FALSE(std::filesystem::exists(directory / "quandrel-records.ini"));
}

TEST_F(DailyAttemptTest, RacingAGhostChangesNothingInThePlayersGame) {
  ASSERT_TRUE(window->startDailyAttempt());
  playMoves(20);
  const runs::Run run = window->daily.run;
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);

  const RunVerdict verdict = verifyRun(run);
  ASSERT_TRUE(verdict.accepted());
  std::vector<std::vector<int32_t>> states;
  for (const runs::GhostTrack* ghost : {static_cast<const runs::GhostTrack*>(nullptr), &verdict.ghost}) {
    ASSERT_TRUE(window->startRunAttempt(run, ghost));
    EXPECT_EQ(window->daily.racing, ghost != nullptr);
    playMoves(20);
    std::vector<int32_t> state{window->play.score, window->play.shotsLeft, window->play.sprayerX};
    state.insert(state.end(), window->play.tubes.begin(), window->play.tubes.end());
    states.push_back(state);
    // The ghost stands where the run stood at this moment of game time.
    if (ghost != nullptr) {
      EXPECT_EQ(verdict.ghost.at(window->attemptTickMs()).score, window->play.score);
    }
    window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  }
  EXPECT_EQ(states[0], states[1]);
}
