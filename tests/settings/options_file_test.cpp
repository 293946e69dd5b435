// The options, daily and boards files: what they keep reads back the same, and a
// file holding a value out of range is set aside whole. A failed save is the shared writer's
// (progress_file_test).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ini_test_support.hpp"
#include "progress/boards_file.hpp"
#include "progress/daily_file.hpp"
#include "runs/board_token.hpp"
#include "progress/game_options.hpp"

namespace {

TEST(OptionsFile, LivesBesideTheSettingsFileAndReadsBackEveryCombination) {
  TempDir dir;
  const std::string path = optionsFilePath(dir.file("quandrel.ini"));
  EXPECT_EQ(path, dir.file("quandrel-options.ini"));
  EXPECT_EQ(loadOptions(path), GameOptions{});
  EXPECT_TRUE(dir.entries().empty()) << "reading makes no file";
  for (const TimeMode mode : {TimeMode::Normal, TimeMode::Relaxed, TimeMode::Off}) {
    for (const bool vibration : {true, false}) {
      for (const char* language : {"auto", "en", "zh_TW"}) {
        for (const bool speech : {false, true}) {
          const GameOptions written{mode, vibration, language, speech};
          ASSERT_TRUE(saveOptions(path, written));
          EXPECT_EQ(loadOptions(path), written);
        }
      }
    }
  }
  EXPECT_EQ(readFile(path), bytesOf("[format]\nversion=1\n\n[options]\ntimeMode=off\nvibration=off\nlanguage=zh_TW\nspeech=on\n"));
  EXPECT_EQ(optionsJson(loadOptions(path)), R"({"timeMode":"off","vibration":false,"language":"zh_TW","speech":true})");
}

TEST(OptionsFile, MissingKeysKeepTheirDefaultsAndUnknownOnesArePassedOver) {
  TempDir dir;
  const std::string path = dir.file("quandrel-options.ini");
  writeFile(path, bytesOf("[format]\nversion=1\n[options]\nhighContrast=on\ntimeMode=relaxed\n"));
  EXPECT_EQ(loadOptions(path), (GameOptions{TimeMode::Relaxed, true, "auto"}));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-options.ini"});
}

TEST(OptionsFile, AValueOutOfRangeSetsTheFileAsideAndGivesTheDefaults) {
  for (const std::string& stored : {std::string("[format]\nversion=1\n[options]\ntimeMode=fast\n"),
                                    std::string("[format]\nversion=1\n[options]\nvibration=1\n"),
                                    std::string("[format]\nversion=1\n[options]\nlanguage=../etc\n"),
                                    std::string("[format]\nversion=1\n[options]\nspeech=yes\n"),
                                    std::string("[options]\ntimeMode=off\n"),
                                    std::string("[format]\nversion=2\n[options]\ntimeMode=off\n")}) {
    TempDir dir;
    const std::string path = dir.file("quandrel-options.ini");
    writeFile(path, bytesOf(stored));
    EXPECT_EQ(loadOptions(path), GameOptions{}) << stored;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-options.ini.bad"}) << stored;
    EXPECT_EQ(readFile(path + ".bad"), bytesOf(stored));
  }
}

// The daily file, written through the same writer: the days read back, and a
// day that no game could have written sets the whole file aside.
TEST(DailyFile, DaysReadBackAndADamagedOneSetsTheFileAside) {
  const std::string run = "QRUN.AQEIAgAE4RLiEuJd5l0HRNVp";
  TempDir dir;
  const std::string path = dailyFilePath(dir.file("quandrel.ini"));
  EXPECT_EQ(path, dir.file("quandrel-daily.ini"));
  EXPECT_EQ(loadDailyHistory(path), runs::DailyHistory{});
  runs::DailyHistory history;
  history.startAttempt(7, TimeMode::Relaxed);
  history.startAttempt(8, TimeMode::Normal);
  history.finishOfficial(8, runs::RunResult{8, 2, -30, 2, 3600, 0, false, 1}, run);
  history.startAttempt(9, TimeMode::Normal);
  ASSERT_TRUE(saveDailyHistory(path, history));
  EXPECT_EQ(loadDailyHistory(path), history);
  const std::string day8 = "[day8]\nofficial=1\nfinished=1\nlevel=2\nscore=-30\nshots=2\ntimeMs=3600\nstars=0\n"
                           "claimed=0\nrun=" + run + "\n";
  EXPECT_EQ(readFile(path), bytesOf("[format]\nversion=1\n\n[day7]\nofficial=0\nfinished=0\n\n" + day8 +
                                    "\n[day9]\nofficial=1\nfinished=0\n"));

  // The player and what became of each post read back too.
  history.player = runs::Player{"00112233445566778899aabbccddeeff", runs::PlayerName{3, 11}};
  history.finishOfficial(9, runs::RunResult{9, 5, 900, 40, 61000, 2, true, 1}, run);
  ASSERT_TRUE(history.requestPost(8));
  EXPECT_FALSE(history.requestPost(8)) << "asked for once";
  EXPECT_FALSE(history.requestPost(7)) << "practice never goes";
  ASSERT_TRUE(history.requestPost(9));
  EXPECT_EQ(history.waitingPosts(), (std::vector<int32_t>{8, 9}));
  history.days[9].post = runs::PostRecord{runs::PostState::Taken, 3, 12, 75, "42", ""};
  ASSERT_TRUE(saveDailyHistory(path, history));
  EXPECT_EQ(loadDailyHistory(path), history);
  const auto bytes = readFile(path);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("[player]\nid=00112233445566778899aabbccddeeff\ncolour=3\ncreature=11\n"), std::string::npos);
  EXPECT_NE(text.find("run=" + run + "\npost=waiting\n"), std::string::npos);
  EXPECT_NE(text.find("post=taken\nrank=3\nof=12\npercentile=75\npostedRun=42\n"), std::string::npos);
  history.days[9].post = runs::PostRecord{runs::PostState::Refused, 0, 0, 0, "", "copied"};
  ASSERT_TRUE(saveDailyHistory(path, history));
  EXPECT_EQ(loadDailyHistory(path), history);

  const std::string player = "[player]\nid=00112233445566778899aabbccddeeff\ncolour=3\ncreature=11\n";
  const auto withTime = [&day8](const std::string& time) {
    const size_t at = day8.find("timeMs=3600");
    return "[format]\nversion=1\n" + day8.substr(0, at) + "timeMs=" + time + day8.substr(at + 11);
  };
  for (const std::string& stored : {"[format]\nversion=1\n" + day8.substr(0, day8.find("stars")) + "stars=4\n",
                                    withTime("-1"), withTime("4294967296"), withTime("3600ms"),
                                    "[format]\nversion=1\n" + day8 + "post=sent\n",
                                    "[format]\nversion=1\n" + day8 + "post=taken\nrank=13\nof=12\npercentile=5\n",
                                    std::string("[format]\nversion=1\n[day7]\nofficial=0\nfinished=0\npost=waiting\n"),
                                    "[format]\nversion=1\n" + player.substr(0, 20) + "\n",
                                    "[format]\nversion=1\n" + player.substr(0, player.find("colour")) + "colour=16\ncreature=1\n",
                                    "[format]\nversion=1\n" + day8.substr(0, day8.size() - 3) + "\n",
                                    std::string("[format]\nversion=1\n[day0]\nofficial=1\nfinished=0\n"),
                                    "[format]\nversion=2\n" + day8}) {
    TempDir damaged;
    const std::string file = damaged.file("quandrel-daily.ini");
    writeFile(file, bytesOf(stored));
    EXPECT_EQ(loadDailyHistory(file), runs::DailyHistory{}) << stored;
    EXPECT_EQ(damaged.entries(), std::vector<std::string>{"quandrel-daily.ini.bad"}) << stored;
  }
}

// The boards file: the made board with its clear and the received boards'
// records read back in order; a value no game could have written, or a clear
// of another board, sets the whole file aside.
TEST(BoardsFile, BoardsReadBackAndADamagedOneSetsTheFileAside) {
  TempDir dir;
  const std::string path = boardsFilePath(dir.file("quandrel.ini"));
  EXPECT_EQ(path, dir.file("quandrel-boards.ini"));
  EXPECT_EQ(loadBoards(path), BoardShelf{});
  EXPECT_TRUE(dir.entries().empty()) << "reading makes no file";

  BoardShelf shelf;
  shelf.made = runs::newMadeBoard(4000000000u);
  runs::cycleTube(*shelf.made, 0);
  runs::Run clear;
  clear.board = shelf.made->board;
  clear.actions = {{50, runs::ActionKind::Fire}, {9000, runs::ActionKind::Claim}};
  ASSERT_TRUE(runs::keepClear(*shelf.made, clear));
  shelf.received.noteTry("0badcafe");
  shelf.received.noteResult("00c0ffee", runs::RunResult{0, 1, 750, 40, 30000, 3, true});
  ASSERT_TRUE(saveBoards(path, shelf));
  EXPECT_EQ(loadBoards(path), shelf);
  // Level 1's tubes with the first one cycled on from 16; its target score.
  const std::string made = "[made]\ntubes=17,4,7,10,7,16,13,10,16,13\ntargetScore=600\nmixedKey=0\nseed=4000000000\n"
                           "clear=" + shelf.made->clearToken + "\n";
  const std::string records = "[board.0badcafe]\ntried=1\ncleared=0\n\n[board.00c0ffee]\ntried=1\ncleared=1\n"
                              "bestScore=750\nstars=3\n";
  EXPECT_EQ(readFile(path), bytesOf("[format]\nversion=1\n\n" + made + "\n" + records));

  runs::MadeBoard other = *shelf.made;
  runs::recolour(other, 1);
  clear.board = other.board;
  const std::string otherClear = runs::encodeBoardToken(clear);
  const std::vector<std::string> damagedFiles = {
       "[format]\nversion=1\n" + made.substr(0, made.find("clear=")) + "clear=" + otherClear + "\n",
        "[format]\nversion=1\n" + made.substr(0, made.find("clear=")) + "clear=QBRD.AAAA\n",
        "[format]\nversion=1\n[made]\ntubes=0,0,0\ntargetScore=300\nmixedKey=0\nseed=1\n",
        "[format]\nversion=1\n[made]\ntubes=0,0,0,0,0,0,0,0,0,20\ntargetScore=300\nmixedKey=0\nseed=1\n",
        "[format]\nversion=1\n[made]\ntubes=0,0,0,0,0,0,0,0,0,0\ntargetScore=320\nmixedKey=0\nseed=1\n",
        "[format]\nversion=1\n[board.0BADCAFE]\ntried=1\ncleared=0\n",
        "[format]\nversion=1\n[board.0badcafe]\ntried=1\ncleared=1\nbestScore=10\nstars=4\n",
        "[format]\nversion=1\n[board.0badcafe]\ntried=1\ncleared=1\nstars=2\n",
        "[format]\nversion=2\n" + records};
  for (const std::string& stored : damagedFiles) {
    TempDir damaged;
    const std::string file = damaged.file("quandrel-boards.ini");
    writeFile(file, bytesOf(stored));
    EXPECT_EQ(loadBoards(file), BoardShelf{}) << stored;
    EXPECT_EQ(damaged.entries(), std::vector<std::string>{"quandrel-boards.ini.bad"}) << stored;
  }
}

}  // namespace
