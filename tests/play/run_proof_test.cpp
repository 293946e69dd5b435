// Proving runs on Play alone: the ten levels' runs prove to the results they
// always have, the clocks fire in the message loop's order, and a run is
// refused at its first move the attempt does not take.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "play/run_proof.hpp"

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
                {{0, runs::ActionKind::Fire}, {250, runs::ActionKind::Pause}}};
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

TEST(RunProof, ARunIsRefusedAtItsFirstMoveTheAttemptDoesNotTake) {
  runs::Run run;
  decodeRunToken(seedToken(2), run);
  const RunVerdict good = verifyRun(run);
  ASSERT_TRUE(good.accepted());
  EXPECT_EQ(good.ghost.at(0).sprayerX, Play::SprayerStartX);
  EXPECT_EQ(good.ghost.at(run.actions.back().tickMs).score, good.result.score);

  runs::Run stepOff = run;
  stepOff.actions.insert(stepOff.actions.begin(), runs::RunAction{0, runs::ActionKind::StepLeft});
  EXPECT_EQ(verifyRun(stepOff).refusal, runs::RunRefusal::ImpossibleMove);

  runs::Run afterTheClaim = run;
  afterTheClaim.actions.push_back(runs::RunAction{run.actions.back().tickMs + 1, runs::ActionKind::Fire});
  EXPECT_EQ(verifyRun(afterTheClaim).refusal, runs::RunRefusal::ImpossibleMove);

  runs::Run resumeUnpaused = run;
  resumeUnpaused.actions.insert(resumeUnpaused.actions.begin(), runs::RunAction{0, runs::ActionKind::Resume});
  EXPECT_EQ(verifyRun(resumeUnpaused).refusal, runs::RunRefusal::ImpossibleMove);

  // The day's level is played, so a run claiming another is damaged.
  runs::Run otherLevel = run;
  otherLevel.level = 5;
  EXPECT_EQ(verifyRun(otherLevel).refusal, runs::RunRefusal::Damaged);

  // A day without a challenge has nothing to prove against.
  runs::Run noDay = run;
  noDay.day = 0;
  EXPECT_EQ(verifyRun(noDay).refusal, runs::RunRefusal::ImpossibleMove);
}

// The proof says which time bar the run was played at; the relaxed bar lets
// the same moves go on where the normal one ran out.
TEST(RunProof, TheResultSaysItsTimeMode) {
  runs::Run run;
  decodeRunToken(seedToken(2), run);
  for (TimeMode mode : {TimeMode::Normal, TimeMode::Relaxed, TimeMode::Off}) {
    run.timeMode = mode;
    const RunVerdict verdict = verifyRun(run);
    ASSERT_TRUE(verdict.accepted());
    EXPECT_EQ(verdict.result.timeMode, mode);
    EXPECT_NE(runResultJson(verdict.result).find("\"timeMode\":\"" + std::string(timeModeName(mode)) + "\""),
              std::string::npos);
  }
}

// Nothing after the end is played: a huge gap before an action that comes
// after the claim is refused without crossing the gap tick by tick.
TEST(RunProof, NothingAfterTheEndIsPlayed) {
  runs::Run run;
  decodeRunToken(seedToken(2), run);
  RunPlayback playback(run);
  playback.advanceTo(run.actions.back().tickMs);
  ASSERT_TRUE(playback.play().levelPassed);
  const Play atTheClaim = playback.play();
  playback.advanceTo(run.actions.back().tickMs + 15000);
  EXPECT_TRUE(playback.finished());
  EXPECT_EQ(playback.play().shot.y, atTheClaim.shot.y);
  EXPECT_EQ(playback.play().timeBarX, atTheClaim.timeBarX);
}

// A run cut short is proven as it stands once its time bar runs out.
TEST(RunProof, ARunCutShortEndsWhenItsTimeRunsOut) {
  runs::Run run;
  decodeRunToken(seedToken(1), run);
  run.actions.resize(10);
  const RunVerdict normal = verifyRun(run);
  ASSERT_TRUE(normal.accepted());
  EXPECT_FALSE(normal.result.claimed);
  EXPECT_EQ(normal.result.stars, 0);

  RunPlayback playback(run);
  playback.advanceTo(run.actions.back().tickMs + 15000);
  EXPECT_TRUE(playback.finished());
  EXPECT_TRUE(playback.play().gameOver);
}

}  // namespace
