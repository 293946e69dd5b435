// Where the settings file lives: beside the executable unless the copy is
// installed, then in the user's configuration directory; and what the player
// is told when the file cannot be kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "failing_file_system.hpp"
#include "ini_test_support.hpp"
#include "platform/services/debug_output.hpp"
#include "platform/system/utf.hpp"
#include "settings/game_settings.hpp"
#include "settings/settings_location.hpp"

namespace {

// Sets or unsets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (previous_) {
      ::setenv(name_, previous_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

// Collects the lines sent to standard error while it lives.
class CapturedWarnings {
 public:
  CapturedWarnings() {
    previous_ = services::setDebugOutputSink([this](const std::string& line) { lines.push_back(line); });
  }
  ~CapturedWarnings() { services::setDebugOutputSink(previous_); }
  std::vector<std::string> lines;

 private:
  services::DebugOutputSink previous_;
};

class SettingsLocation : public ::testing::Test {
 protected:
  void markInstalled() { writeFile(program.file(InstalledMarkerName), {'1', '\n'}); }
  std::u16string programDirectory() const { return utf16FromUtf8(program.path()); }
  std::string placeFor() const { return utf8FromUtf16(settingsFilePath(programDirectory())); }

  TempDir program;
  TempDir home;
};

TEST_F(SettingsLocation, ACopyWhereItWasBuiltKeepsItsSettingsBesideTheExecutable) {
  ScopedEnvironment config("XDG_CONFIG_HOME", home.path().c_str());
  EXPECT_FALSE(runsInstalled(programDirectory()));
  EXPECT_EQ(placeFor(), program.file("quandrel.ini"));
  EXPECT_TRUE(home.entries().empty()) << "nothing is made in the configuration directory";
}

TEST_F(SettingsLocation, OnlyAMarkerFileMakesTheCopyInstalled) {
  std::filesystem::create_directory(program.file(InstalledMarkerName));
  EXPECT_FALSE(runsInstalled(programDirectory())) << "a directory of that name is no marker";
  std::filesystem::remove(program.file(InstalledMarkerName));
  markInstalled();
  EXPECT_TRUE(runsInstalled(programDirectory()));
  EXPECT_FALSE(runsInstalled(u""));
}

TEST_F(SettingsLocation, AnInstalledCopyUsesTheConfigurationHomeAndMakesItsFolder) {
  markInstalled();
  const std::string configHome = home.file("deeper/config");
  ScopedEnvironment config("XDG_CONFIG_HOME", configHome.c_str());
  EXPECT_EQ(placeFor(), configHome + "/quandrel/quandrel.ini");
  EXPECT_TRUE(std::filesystem::is_directory(configHome + "/quandrel"));
  EXPECT_FALSE(fileExists(program.file("quandrel.ini")));
}

TEST_F(SettingsLocation, WithoutAnAbsoluteConfigurationHomeTheHomesConfigFolderIsUsed) {
  markInstalled();
  ScopedEnvironment homeVariable("HOME", home.path().c_str());
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    ScopedEnvironment config("XDG_CONFIG_HOME", value);
    EXPECT_EQ(placeFor(), home.path() + "/.config/quandrel/quandrel.ini") << (value ? value : "(unset)");
  }
  EXPECT_FALSE(std::filesystem::exists("relative")) << "a relative setting is not used at all";
}

TEST_F(SettingsLocation, AnInstalledCopyKeepsTheSameBytesAsOneBesideItsExecutable) {
  markInstalled();
  ScopedEnvironment config("XDG_CONFIG_HOME", home.path().c_str());
  const std::u16string installedPath = settingsFilePath(programDirectory());
  const std::u16string besidePath = utf16FromUtf8(program.file("beside.ini"));
  for (const std::u16string& path : {installedPath, besidePath}) {
    GameSettings settings(path);
    settings.level = 4;
    settings.isMove = false;
  }
  EXPECT_EQ(readFile(utf8FromUtf16(installedPath)), readFile(program.file("beside.ini")));
  GameSettings reread(installedPath);
  EXPECT_EQ(reread.level, 4);
  EXPECT_TRUE(reread.isSound);
  EXPECT_FALSE(reread.isMove);
}

TEST_F(SettingsLocation, AConfigurationFolderThatCannotBeMadeIsReportedAndKeepsNothing) {
  markInstalled();
  writeFile(home.file("not-a-folder"), {'x'});
  ScopedEnvironment config("XDG_CONFIG_HOME", home.file("not-a-folder").c_str());
  CapturedWarnings warnings;
  {
    GameSettings settings(settingsFilePath(programDirectory()));
    EXPECT_EQ(settings.level, 0);
    settings.level = 3;
    settings.Save();
  }
  ASSERT_EQ(warnings.lines.size(), 1u) << "one warning, not one per save";
  EXPECT_NE(warnings.lines[0].find(home.file("not-a-folder") + "/quandrel/quandrel.ini"), std::string::npos)
      << warnings.lines[0];
  EXPECT_EQ(readFile(home.file("not-a-folder")), (Bytes{'x'}));
}

TEST(SettingsWarnings, ASaveThatFailsIsReportedOnceAndTheFileKeepsItsLevel) {
  TempDir dir;
  const std::string file = dir.file("quandrel.ini");
  {
    GameSettings first(utf16FromUtf8(file));
    first.level = 6;
  }
  const Bytes saved = readFile(file);
  CapturedWarnings warnings;
  {
    // No new file can be made beside it, as in a folder without write permission.
    FailingFileSystem noNewFiles("createTemporary");
    ScopedFileSystem inPlace(noNewFiles);
    GameSettings settings(utf16FromUtf8(file));
    EXPECT_EQ(settings.level, 6);
    settings.level = 1;
    settings.Save();
    settings.Save();
  }
  EXPECT_EQ(readFile(file), saved) << "the saved level survives";
  ASSERT_EQ(warnings.lines.size(), 1u);
  EXPECT_NE(warnings.lines[0].find("cannot save the settings file: " + file), std::string::npos) << warnings.lines[0];
}

}  // namespace
