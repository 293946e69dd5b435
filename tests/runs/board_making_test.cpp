// Making a board (each edit takes the maker's clear back) and the records of
// received boards (bests kept, the most recent hundred).
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "rules/colour_state.hpp"
#include "runs/board_records.hpp"
#include "runs/board_token.hpp"
#include "runs/made_board.hpp"

namespace {

// A run of the made board as it stands: decoding it gives the board back.
runs::Run runOf(const runs::MadeBoard& made) {
  runs::Run run;
  run.board = made.board;
  run.actions = {{0, runs::ActionKind::Fire}, {2400, runs::ActionKind::Claim}};
  return run;
}

runs::MadeBoard clearedBoard() {
  runs::MadeBoard made = runs::newMadeBoard(77);
  EXPECT_TRUE(runs::keepClear(made, runOf(made)));
  return made;
}

runs::RunResult claimed(int32_t score, int32_t stars) {
  runs::RunResult result;
  result.score = score;
  result.stars = stars;
  result.claimed = stars > 0;
  return result;
}

}  // namespace

TEST(MadeBoard, StartsAsTheFirstLevelsBoardWithItsSeed) {
  Board first;
  ASSERT_TRUE(levelBoard(FirstLevel, first));
  const runs::MadeBoard made = runs::newMadeBoard(1234);
  EXPECT_EQ(made.board.tubes, first.tubes);
  EXPECT_EQ(made.board.targetScore, first.targetScore);
  EXPECT_FALSE(made.board.asksMixedKey);
  EXPECT_EQ(made.board.seed, 1234u);
  EXPECT_FALSE(made.cleared());
}

TEST(MadeBoard, EveryEditTakesTheClearBack) {
  const struct {
    const char* edit;
    bool (*apply)(runs::MadeBoard&);
  } edits[] = {
      {"a tube", [](runs::MadeBoard& m) { runs::cycleTube(m, 3); return true; }},
      {"the score up", [](runs::MadeBoard& m) { return runs::stepTargetScore(m, 1); }},
      {"the score down", [](runs::MadeBoard& m) { return runs::stepTargetScore(m, -1); }},
      {"new colours", [](runs::MadeBoard& m) { runs::recolour(m, 99); return true; }},
  };
  for (const auto& edit : edits) {
    runs::MadeBoard made = clearedBoard();
    ASSERT_TRUE(made.cleared());
    const Board before = made.board;
    ASSERT_TRUE(edit.apply(made)) << edit.edit;
    EXPECT_NE(made.board, before) << edit.edit;
    EXPECT_FALSE(made.cleared()) << edit.edit;
    EXPECT_FALSE(runs::keepClear(made, runOf(clearedBoard()))) << edit.edit << ": a clear of the board before";
  }
}

TEST(MadeBoard, ATubeCyclesThroughEveryStateAndBack) {
  runs::MadeBoard made = runs::newMadeBoard(1);
  made.board.tubes[9] = TargetEmpty;
  std::set<int32_t> seen;
  for (int32_t step = 0; step < TargetSpoiled + 1; ++step) {
    seen.insert(made.board.tubes[9]);
    runs::cycleTube(made, 9);
    EXPECT_TRUE(boardIsValid(made.board));
  }
  EXPECT_EQ(made.board.tubes[9], TargetEmpty) << "spoiled goes back to empty";
  EXPECT_EQ(seen.size(), static_cast<size_t>(TargetSpoiled + 1));
  const Board before = made.board;
  runs::cycleTube(made, 10);
  EXPECT_EQ(made.board, before) << "no tube past the tenth";
}

TEST(MadeBoard, TheTargetScoreStaysWithinItsLimitsInSteps) {
  const struct {
    int32_t from;
    int32_t direction;
    bool moved;
    int32_t to;
  } cases[] = {{300, 1, true, 350},     {300, -1, true, 250},   {MinBoardScore, -1, false, MinBoardScore},
               {MaxBoardScore, 1, false, MaxBoardScore}, {150, -1, true, 100}, {2950, 1, true, 3000}};
  for (const auto& c : cases) {
    runs::MadeBoard made = clearedBoard();
    made.board.targetScore = c.from;
    ASSERT_TRUE(runs::keepClear(made, runOf(made)));
    EXPECT_EQ(runs::stepTargetScore(made, c.direction), c.moved) << c.from << " by " << c.direction;
    EXPECT_EQ(made.board.targetScore, c.to);
    EXPECT_EQ(made.cleared(), !c.moved) << "a refused step changes nothing";
  }
}

TEST(MadeBoard, AClearIsKeptAsTheBoardsOwnToken) {
  runs::MadeBoard made = runs::newMadeBoard(5);
  runs::Run day;  // a day's run: no board
  day.day = 8;
  day.level = 2;
  EXPECT_FALSE(runs::keepClear(made, day));
  ASSERT_TRUE(runs::keepClear(made, runOf(made)));
  runs::Run read;
  ASSERT_EQ(runs::decodeBoardToken(made.clearToken, read), runs::RunRefusal::Accepted);
  EXPECT_EQ(read, runOf(made));
}

TEST(MadeBoard, NewSeedsDifferFromTheLastAndFromEachOther) {
  std::set<uint32_t> seeds;
  uint32_t seed = 0;
  for (uint32_t tick = 0; tick < 1000; ++tick) {
    const uint32_t next = runs::nextBoardSeed(seed, tick);
    EXPECT_NE(next, seed);
    seeds.insert(next);
    seed = next;
  }
  EXPECT_EQ(seeds.size(), 1000u);
  EXPECT_EQ(runs::nextBoardSeed(42, 7), runs::nextBoardSeed(42, 7)) << "the same moment draws the same seed";
}

TEST(BoardRecords, KeepTheBestClaimAndMarkEveryTry) {
  const struct {
    const char* what;
    runs::RunResult result;
    bool better;
    runs::BoardRecord after;
  } steps[] = {
      {"a lost attempt", claimed(-30, 0), false, {"0000000a", true, false, 0, 0}},
      {"a first claim", claimed(400, 2), true, {"0000000a", true, true, 400, 2}},
      {"a lower claim", claimed(300, 1), false, {"0000000a", true, true, 400, 2}},
      {"more stars, fewer points", claimed(350, 3), true, {"0000000a", true, true, 400, 3}},
      {"more points", claimed(900, 1), true, {"0000000a", true, true, 900, 3}},
  };
  runs::BoardRecords records;
  EXPECT_EQ(records.find("0000000a"), nullptr);
  records.noteTry("0000000a");
  ASSERT_NE(records.find("0000000a"), nullptr);
  EXPECT_TRUE(records.find("0000000a")->tried);
  for (const auto& step : steps) {
    EXPECT_EQ(records.noteResult("0000000a", step.result), step.better) << step.what;
    EXPECT_EQ(*records.find("0000000a"), step.after) << step.what;
  }
}

TEST(BoardRecords, KeepTheMostRecentHundred) {
  runs::BoardRecords records;
  const auto id = [](int i) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", i);
    return std::string(text);
  };
  for (int i = 0; i < 150; ++i) records.noteTry(id(i));
  records.noteTry(id(60));  // played again: the most recent now
  records.noteTry(id(150));
  ASSERT_EQ(records.records.size(), runs::BoardRecords::Kept);
  EXPECT_EQ(records.find(id(49)), nullptr) << "the oldest let go";
  EXPECT_EQ(records.find(id(50)), nullptr);
  EXPECT_NE(records.find(id(60)), nullptr) << "played again, kept";
  EXPECT_EQ(records.records.front().id, id(51));
  EXPECT_EQ(records.records[runs::BoardRecords::Kept - 2].id, id(60));
  EXPECT_EQ(records.records.back().id, id(150));
}
