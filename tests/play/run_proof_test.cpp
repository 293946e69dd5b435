// Proving runs on Play alone: the ten levels' runs prove to the results they
// always have, the clocks fire in the message loop's order, and a run is
// refused at its first move the attempt does not take.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "play/run_proof.hpp"
#include "runs/day_calendar.hpp"

namespace {

std::string seedToken(int level) {
  const char* source = std::getenv("QUANDREL_SOURCE_DIR");
  std::ifstream in(std::string(source != nullptr ? source : ".") + "/fuzz/run-seeds/level-" + std::to_string(level) + ".run");
  std::string token;
  in >> token;
  return token;
}

TEST(RunProof, TheTenLevelsRunsProveAsTheyAlwaysHave) {
  const char* expected[] = {
      R"({"day":1,"level":1,"score":950,"shots":50,"timeMs":60200,"stars":3,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":8,"level":2,"score":800,"shots":47,"timeMs":56600,"stars":3,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":5,"level":3,"score":1050,"shots":63,"timeMs":75800,"stars":3,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":2,"level":4,"score":1000,"shots":60,"timeMs":72200,"stars":3,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":9,"level":5,"score":1220,"shots":85,"timeMs":102200,"stars":2,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":6,"level":6,"score":1340,"shots":112,"timeMs":134600,"stars":1,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":3,"level":7,"score":1400,"shots":87,"timeMs":104600,"stars":3,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":10,"level":8,"score":1530,"shots":146,"timeMs":175400,"stars":1,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":7,"level":9,"score":1640,"shots":130,"timeMs":156200,"stars":1,"claimed":true,"version":1,"timeMode":"normal"})",
      R"({"day":4,"level":10,"score":1840,"shots":146,"timeMs":175400,"stars":1,"claimed":true,"version":1,"timeMode":"normal"})",
  };
  for (int level = 1; level <= 10; ++level) {
    const RunVerdict verdict = verifyRunToken(seedToken(level));
    ASSERT_TRUE(verdict.accepted()) << "level " << level << ": " << runs::refusalName(verdict.refusal);
    EXPECT_EQ(runResultJson(verdict.result), expected[level - 1]) << "level " << level;
  }
}

// The bar restarted by a shot's fire ticks before the shot's clock when both
// are due at once: the first bar tick, 250 ms after a fire, comes before the
// shot's fifth tick. The bar's tick then sees the shot at the fourth tick's place.
TEST(RunProof, ClocksDueAtOnceFireInTheOrderTheyWereStarted) {
  runs::Run run{runs::RunFormatVersion, runs::RulesRevision, 1, 1, TimeMode::Normal,
                {{0, runs::ActionKind::Fire}, {250, runs::ActionKind::Pause}}, std::nullopt};
  RunPlayback playback(run);
  playback.advanceTo(249);
  EXPECT_EQ(playback.play().shot.y, Play::ShotLaunchY + 4 * Play::ShotFallPerTick);
  EXPECT_EQ(playback.play().timeBarX, Play::TimeBarFullX);
  playback.advanceTo(250);
  // Both clocks fired before the pause at 250: the bar moved and the shot fell.
  EXPECT_EQ(playback.play().timeBarX, Play::TimeBarFullX - 12);
  EXPECT_EQ(playback.play().shot.y, Play::ShotLaunchY + 5 * Play::ShotFallPerTick);
  EXPECT_TRUE(playback.play().paused);
  playback.advanceTo(5000);
  EXPECT_EQ(playback.play().shot.y, Play::ShotLaunchY + 5 * Play::ShotFallPerTick) << "a paused shot stands";
  EXPECT_EQ(playback.play().timeBarX, Play::TimeBarFullX - 12);
}

// A run is refused at its first move the attempt does not take, and a day's
// run is played on the day's level, so one naming another is damaged. Under
// another time bar the same moves prove, and the result says which bar.
TEST(RunProof, WhatAProofRefusesAndWhatItSays) {
  runs::Run run;
  decodeRunToken(seedToken(2), run);
  const uint32_t last = run.actions.back().tickMs;
  const struct {
    const char* what;
    std::function<void(runs::Run&)> change;
    runs::RunRefusal refusal;
  } cases[] = {
      {"a step left of the rail", [](runs::Run& r) { r.actions.insert(r.actions.begin(), {0, runs::ActionKind::StepLeft}); },
       runs::RunRefusal::ImpossibleMove},
      {"fire after the claim", [last](runs::Run& r) { r.actions.push_back({last + 1, runs::ActionKind::Fire}); },
       runs::RunRefusal::ImpossibleMove},
      {"resume unpaused", [](runs::Run& r) { r.actions.insert(r.actions.begin(), {0, runs::ActionKind::Resume}); },
       runs::RunRefusal::ImpossibleMove},
      {"another level", [](runs::Run& r) { r.level = 5; }, runs::RunRefusal::Damaged},
      {"no challenge that day", [](runs::Run& r) { r.day = 0; }, runs::RunRefusal::ImpossibleMove},
      {"relaxed", [](runs::Run& r) { r.timeMode = TimeMode::Relaxed; }, runs::RunRefusal::Accepted},
      {"off", [](runs::Run& r) { r.timeMode = TimeMode::Off; }, runs::RunRefusal::Accepted},
  };
  for (const auto& c : cases) {
    runs::Run changed = run;
    c.change(changed);
    const RunVerdict verdict = verifyRun(changed);
    EXPECT_EQ(verdict.refusal, c.refusal) << c.what;
    if (verdict.accepted()) {
      EXPECT_EQ(verdict.result.timeMode, changed.timeMode) << c.what;
    }
  }
  const RunVerdict good = verifyRun(run);
  EXPECT_EQ(good.ghost.at(0).sprayerX, Play::SprayerStartX);
  EXPECT_EQ(good.ghost.at(last).score, good.result.score);
}

// The proof ends where the attempt ends: nothing after a claim is played,
// and a run cut short ends once its time bar has run out.
TEST(RunProof, TheProofEndsWhereTheAttemptEnds) {
  runs::Run claimed;
  decodeRunToken(seedToken(2), claimed);
  RunPlayback playback(claimed);
  playback.advanceTo(claimed.actions.back().tickMs);
  ASSERT_TRUE(playback.play().levelPassed);
  const Play atTheClaim = playback.play();
  playback.advanceTo(claimed.actions.back().tickMs + 15000);
  EXPECT_TRUE(playback.finished());
  EXPECT_EQ(playback.play().shot.y, atTheClaim.shot.y);
  EXPECT_EQ(playback.play().timeBarX, atTheClaim.timeBarX);

  runs::Run cut;
  decodeRunToken(seedToken(1), cut);
  cut.actions.resize(10);
  const RunVerdict verdict = verifyRun(cut);
  ASSERT_TRUE(verdict.accepted());
  EXPECT_FALSE(verdict.result.claimed);
  EXPECT_EQ(verdict.result.stars, 0);
}

}  // namespace

// A level's board with the day's seed is a board like any other: the day's
// run, carried in a board token, clears it to the same result. A run that
// stops short proves nothing, and nothing of a run token passes for a board.
TEST(RunProof, ABoardTokenProvesItsMakersClear) {
  runs::Run day;
  decodeRunToken(seedToken(1), day);
  runs::Run made = day;
  made.day = 0;
  made.level = 0;
  made.board.emplace();
  levelBoard(1, *made.board);
  made.board->seed = runs::daySeed(day.day);
  const std::string token = runs::encodeBoardToken(made);

  const RunVerdict cleared = verifyBoardToken("https://quandrel.example/#board=" + token);
  ASSERT_TRUE(cleared.accepted()) << runs::refusalName(cleared.refusal);
  EXPECT_EQ(boardResultJson(*cleared.run.board, cleared.result),
            R"({"board":")" + runs::boardId(*made.board) +
                R"(","cleared":true,"score":950,"shots":50,"timeMs":60200,"stars":3,"version":1})");

  runs::Run unfinished = made;
  unfinished.actions.resize(10);
  EXPECT_EQ(verifyBoardToken(runs::encodeBoardToken(unfinished)).refusal, runs::RunRefusal::Unproven);
  runs::Run otherSeed = made;
  otherSeed.board->seed += 1;
  EXPECT_NE(verifyBoardToken(runs::encodeBoardToken(otherSeed)).refusal, runs::RunRefusal::Accepted)
      << "the colours come from the board's seed";
  EXPECT_EQ(verifyBoardToken(seedToken(1)).refusal, runs::RunRefusal::NotARun);
  EXPECT_NE(runs::boardId(*made.board), runs::boardId(*otherSeed.board));
}
