// The settings record: the file it creates, the bytes it saves and how it reads them back.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "ini_test_support.hpp"
#include "platform/system/utf.hpp"
#include "settings/game_settings.hpp"

namespace {

const std::u16string Header = u"[QuandrelV1.2 By NX For @Meizu::M8]";

std::u16string savedText(int32_t level, int sound, int move) {
  const std::string number = std::to_string(level);
  return Header + u"\r\n  CurrentLevel=" + std::u16string(number.begin(), number.end()) + u"\r\n  isSound=" +
         static_cast<char16_t>(u'0' + sound) + u"\r\n  isMove=" + static_cast<char16_t>(u'0' + move);
}

class GameSettingsFile : public ::testing::Test {
 protected:
  void store(std::u16string_view text) { writeFile(file, iniBytes(text)); }
  TempDir dir;
  std::string file = dir.file("quandrel.ini");
  std::u16string path = dir.wideFile("quandrel.ini");
};

TEST_F(GameSettingsFile, FirstStartCreatesTheFileAndUsesTheDefaults) {
  {
    GameSettings settings(path);
    EXPECT_EQ(readFile(file), (Bytes{0xFF, 0xFE}));
    EXPECT_EQ(settings.level, 0);
    EXPECT_TRUE(settings.isSound);
    EXPECT_TRUE(settings.isMove);
  }
  EXPECT_EQ(readFile(file), iniBytes(savedText(0, 1, 1))) << "the record saves when it goes";
}

TEST_F(GameSettingsFile, SavedFileHoldsOneSectionWithThreeKeys) {
  GameSettings settings(path);
  settings.level = 7;
  settings.isSound = false;
  settings.Save();
  const Bytes once = readFile(file);
  EXPECT_EQ(once, iniBytes(savedText(7, 0, 1)));
  settings.Save();
  EXPECT_EQ(readFile(file), once) << "saving unchanged fields again changes no byte";

  settings.level = 10;
  settings.isMove = false;
  settings.Save();
  EXPECT_EQ(readFile(file), iniBytes(savedText(10, 0, 0))) << "numbers are replaced in place";
}

TEST_F(GameSettingsFile, LoadReadsWhatWasSaved) {
  {
    GameSettings settings(path);
    settings.level = 4;
    settings.isSound = false;
    settings.isMove = true;
  }
  GameSettings reloaded(path);
  EXPECT_EQ(reloaded.level, 4);
  EXPECT_FALSE(reloaded.isSound);
  EXPECT_TRUE(reloaded.isMove);

  store(savedText(9, 1, 0));
  reloaded.Load();
  EXPECT_EQ(reloaded.level, 9);
  EXPECT_TRUE(reloaded.isSound);
  EXPECT_FALSE(reloaded.isMove);
}

TEST_F(GameSettingsFile, SwitchIsOnOnlyWhenStoredAsOneOrMissing) {
  struct Case {
    std::u16string_view stored;
    bool on;
  };
  const Case cases[] = {{u"=1", true},  {u"=0", false},  {u"=2", false},  {u"=-1", false},
                        {u"=", false},  {u"=abc", false}, {u"= 1", true}, {u"<missing>", true}};
  for (const Case& c : cases) {
    for (const char16_t* key : {u"isSound", u"isMove"}) {
      std::u16string text = Header + u"\r\n  CurrentLevel=3";
      if (c.stored != u"<missing>") text += u"\r\n  " + std::u16string(key) + std::u16string(c.stored);
      store(text);
      GameSettings settings(path);
      const bool on = std::u16string_view(key) == u"isSound" ? settings.isSound : settings.isMove;
      const bool other = std::u16string_view(key) == u"isSound" ? settings.isMove : settings.isSound;
      EXPECT_EQ(on, c.on) << utf8FromUtf16(key) << utf8FromUtf16(c.stored);
      EXPECT_TRUE(other) << "the other switch is missing, so on";
    }
  }
}

TEST_F(GameSettingsFile, StoredLevelIsKeptWithinTheLevelsThatExist) {
  const std::pair<std::u16string_view, int32_t> cases[] = {
      {u"5", 5},  {u"1", 1},  {u"10", 10}, {u"11", 10}, {u"37", 10}, {u"99999999999", 10}, {u"0", 0},
      {u"-4", 0}, {u"-99999999999", 0},    {u"abc", 0}, {u"", 0}};
  for (const auto& [stored, level] : cases) {
    store(Header + u"\r\n  CurrentLevel=" + std::u16string(stored));
    GameSettings settings(path);
    EXPECT_EQ(settings.level, level) << utf8FromUtf16(stored);
    EXPECT_GE(settings.level, 0);
    EXPECT_LE(settings.level, LastLevel);
  }
}

TEST_F(GameSettingsFile, EightBitFileIsReplacedAndTheDefaultsApply) {
  writeFile(file, {'[', 'Q', ']', '\r', '\n', 'C', 'u', 'r', 'r', 'e', 'n', 't', 'L', 'e', 'v', 'e', 'l', '=', '5'});
  GameSettings settings(path);
  EXPECT_EQ(readFile(file), (Bytes{0xFF, 0xFE}));
  EXPECT_EQ(settings.level, 0);
  EXPECT_TRUE(settings.isSound);
  EXPECT_TRUE(settings.isMove);
}

TEST_F(GameSettingsFile, MissingFolderGivesDefaultsAndSavesNothing) {
  const std::u16string nowhere = dir.wideFile("missing/quandrel.ini");
  {
    GameSettings settings(nowhere);
    EXPECT_EQ(settings.level, 0);
    EXPECT_TRUE(settings.isSound);
    EXPECT_TRUE(settings.isMove);
    settings.level = 6;
    settings.isSound = false;
    settings.Save();
    settings.Load();
    EXPECT_EQ(settings.level, 0) << "nothing was kept";
    EXPECT_TRUE(settings.isSound);
  }
  EXPECT_TRUE(dir.entries().empty());
}

TEST(GetExeDirectory, IsTheFolderOfTheRunningProgram) {
  const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe");
  const std::u16string directory = GetExeDirectory();
  EXPECT_EQ(utf8FromUtf16(directory), program.parent_path().string());
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), u'/');
}

TEST(GameSettingsBesideTheProgram, UsesQuandrelIniInTheProgramsFolder) {
  const std::string expected = utf8FromUtf16(GetExeDirectory()) + "/quandrel.ini";
  const bool existed = fileExists(expected);
  {
    GameSettings settings;
    EXPECT_EQ(utf8FromUtf16(settings.filePath), expected);
    EXPECT_TRUE(fileExists(expected));
  }
  if (!existed) std::filesystem::remove(expected);
}

}  // namespace
