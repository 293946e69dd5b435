// A day's challenge played in the real game window on a clock of its own: the
// day's colours, the one official attempt, its result proven by replay, and a
// proof that leaves the live game exactly as it was. A board's attempt, made
// or received, is seeded and recorded the same way.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/focus_navigation.hpp"
#include "play/run_proof.hpp"
#include "progress/boards_file.hpp"
#include "progress/daily_file.hpp"
#include "rules/shot_rules.hpp"
#include "runs/board_token.hpp"
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

  // Presses the run's actions at their ticks from now, each at the door as a
  // key or a finger would, the clocks firing between them.
  void replay(const runs::Run& run) {
    const uint64_t start = clock->nowMs();
    for (const runs::RunAction& action : run.actions) {
      clock->advanceTo(start + action.tickMs);
      ASSERT_TRUE(window->applyAction(action.kind)) << runs::actionKindName(action.kind) << " at " << action.tickMs;
    }
  }

  // The first level's board seeded as day 1 is, and the day's run that clears it.
  static std::pair<Board, runs::Run> clearedBoard() {
    const char* source = std::getenv("QUANDREL_SOURCE_DIR");
    std::ifstream in(std::string(source != nullptr ? source : ".") + "/fuzz/run-seeds/level-1.run");
    std::string token;
    in >> token;
    runs::Run run;
    EXPECT_EQ(runs::decodeRunToken(token, run), runs::RunRefusal::Accepted);
    Board board;
    levelBoard(1, board);
    board.seed = runs::daySeed(run.day);
    return {board, run};
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

TEST_F(DailyAttemptTest, AMadeBoardTriedAndClearedInTheWindowIsItsOwnProof) {
  const auto [board, dayRun] = clearedBoard();
  window->handleCommand(ControlId::makeButton, 0);
  ASSERT_STREQ(window->currentScreen(), "maker");
  ASSERT_TRUE(window->boards.made);
  EXPECT_FALSE(window->boards.made->cleared());
  window->boards.made->board = board;  // as if its tubes, score and colours were made so
  window->handleCommand(ControlId::makerTry, 0);
  ASSERT_STREQ(window->currentScreen(), "game");
  EXPECT_EQ(window->daily.boardInPlay, BoardInPlay::Made);
  EXPECT_FALSE(window->race.practiceMark.IsVisible());

  replay(dayRun);
  // The claim went back to the maker, on Share, with the board's clear.
  EXPECT_STREQ(window->currentScreen(), "maker");
  ASSERT_TRUE(window->boards.made->cleared());
  runs::Run clear;
  ASSERT_EQ(runs::decodeBoardToken(window->boards.made->clearToken, clear), runs::RunRefusal::Accepted);
  EXPECT_EQ(clear.actions, dayRun.actions) << "the window recorded what was pressed, when";
  EXPECT_EQ(*clear.board, board);
  const RunVerdict proven = verifyBoardToken(window->makerShareToken());
  ASSERT_TRUE(proven.accepted());
  EXPECT_EQ(proven.result.score, 950);
  EXPECT_TRUE(window->maker.share.button.IsVisible());
  FocusStop focused;
  ASSERT_TRUE(focusedStop(*window, focused));
  EXPECT_EQ(focused.control, &window->maker.share.button);
  EXPECT_NE(window->makerShareText().find(window->makerShareToken()), std::string::npos);

  // Kept in the boards file; no level record, no saved level, no day.
  BoardShelf stored;
  ASSERT_EQ(readBoards((directory / "quandrel-boards.ini").string(), stored), progress::ReadResult::Read);
  EXPECT_EQ(stored.made, window->boards.made);
  EXPECT_EQ(window->records.level(1).claims, 0);
  EXPECT_LE(window->settings.level, 1);
  EXPECT_FALSE(std::filesystem::exists(directory / "quandrel-daily.ini"));

  // Any edit takes the clear back, Share with it.
  window->handleCommand(ControlId::firstMakerTube + 4, 0);
  EXPECT_FALSE(window->boards.made->cleared());
  EXPECT_FALSE(window->maker.share.button.IsVisible());
  EXPECT_EQ(window->makerShareToken(), "");
  hideFocusRing();
}

TEST_F(DailyAttemptTest, AReceivedBoardIsTriedThenWatchedAndKeepsItsBest) {
  const auto [board, dayRun] = clearedBoard();
  runs::Run made = dayRun;
  made.day = 0;
  made.level = 0;
  made.board = board;
  window->openBoardScreen(runs::encodeBoardToken(made));
  ASSERT_STREQ(window->currentScreen(), "board");
  ASSERT_TRUE(window->receivedBoard.proof && window->receivedBoard.proof->accepted());
  EXPECT_FALSE(window->receivedBoard.watch.button.IsVisible()) << "no watching before a try";
  window->handleCommand(ControlId::boardWatch, 0);
  EXPECT_FALSE(window->playbackShown());
  EXPECT_FALSE(std::filesystem::exists(directory / "quandrel-boards.ini")) << "opening keeps nothing";

  // A try that is left early: tried, not cleared, its record kept from its start.
  window->handleCommand(ControlId::boardPlay, 0);
  ASSERT_STREQ(window->currentScreen(), "game");
  const std::string id = runs::boardId(board);
  ASSERT_NE(window->boards.received.find(id), nullptr);
  EXPECT_TRUE(window->boards.received.find(id)->tried);
  EXPECT_FALSE(window->boards.received.find(id)->cleared);
  // Its time bar stays the one it started with, whatever the options say meanwhile.
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::options, 0);
  window->handleCommand(ControlId::timeModeButton, 0);
  EXPECT_EQ(window->options.timeMode, TimeMode::Relaxed);
  EXPECT_EQ(window->play.timeMode, TimeMode::Normal);
  window->handleCommand(ControlId::timeModeButton, 0);
  window->handleCommand(ControlId::timeModeButton, 0);
  window->handleCommand(ControlId::settingsBack, 0);
  window->handleCommand(ControlId::continueGame, 0);
  ASSERT_STREQ(window->currentScreen(), "game");

  // Played again to its claim: back on the board's screen, the best kept, Watch offered.
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->handleCommand(ControlId::startGame, 0);  // another game ends the attempt
  window->handleCommand(ControlId::toolbar, ToolbarButton::back);
  window->openBoardScreen(runs::encodeBoardToken(made));
  ASSERT_STREQ(window->currentScreen(), "board");
  EXPECT_TRUE(window->receivedBoard.watch.button.IsVisible());
  window->handleCommand(ControlId::boardPlay, 0);
  replay(dayRun);
  EXPECT_STREQ(window->currentScreen(), "board");
  const runs::BoardRecord* record = window->boards.received.find(id);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ((std::tuple{record->cleared, record->bestScore, record->stars}), (std::tuple{true, 950, 3}));
  BoardShelf stored;
  ASSERT_EQ(readBoards((directory / "quandrel-boards.ini").string(), stored), progress::ReadResult::Read);
  EXPECT_EQ(stored.received, window->boards.received);
  EXPECT_EQ(window->records.level(1).claims, 0);

  // Watch plays the maker's run back over the board's screen, and its end goes back there.
  window->handleCommand(ControlId::boardWatch, 0);
  EXPECT_TRUE(window->playbackShown());
  EXPECT_STREQ(window->currentScreen(), "watch");
  // The played-back board lies exactly where the game's own does, unstretched.
  EXPECT_EQ(window->watchScreen.board.GetHeight(), window->backgroundPicture.GetHeight());
  window->handleCommand(ControlId::playbackStop, 0);
  EXPECT_STREQ(window->currentScreen(), "board");
  window->handleCommand(ControlId::boardBack, 0);
  EXPECT_STREQ(window->currentScreen(), "menu");
}
