// The options and daily files: what they keep reads back the same, and a
// file holding a value out of range is set aside whole. A failed save is the shared writer's
// (progress_file_test).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ini_test_support.hpp"
#include "progress/daily_file.hpp"
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

  for (const std::string& stored : {"[format]\nversion=1\n" + day8.substr(0, day8.find("stars")) + "stars=4\n",
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

}  // namespace
