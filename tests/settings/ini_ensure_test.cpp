// IniEnsureFile: which paths it accepts and what it leaves on disk.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "failing_file_system.hpp"
#include "ini_test_support.hpp"
#include "platform/system/utf.hpp"
#include "settings/ini.hpp"

namespace {

class IniEnsure : public ::testing::Test {
 protected:
  bool ensure(const std::string& name) { return IniEnsureFile(dir.wideFile(name).c_str()); }
  TempDir dir;
};

TEST_F(IniEnsure, CreatesAFileHoldingOnlyTheMark) {
  EXPECT_TRUE(ensure("new.ini"));
  EXPECT_EQ(readFile(dir.file("new.ini")), (Bytes{0xFF, 0xFE}));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"new.ini"});
}

TEST_F(IniEnsure, NewFileHasTheUsualPermissions) {
  const mode_t mask = ::umask(022);
  EXPECT_TRUE(ensure("new.ini"));
  ::umask(mask);
  EXPECT_EQ(permissionsOf(dir.file("new.ini")), 0644u);
}

TEST_F(IniEnsure, AcceptsTheExtensionInAnyCase) {
  for (const char* name : {"a.INI", "b.ini", "c.InI", "d.iNi"}) {
    EXPECT_TRUE(ensure(name)) << name;
    EXPECT_TRUE(fileExists(dir.file(name))) << name;
  }
}

TEST_F(IniEnsure, RejectsOtherPaths) {
  EXPECT_FALSE(IniEnsureFile(nullptr));
  EXPECT_FALSE(IniEnsureFile(u".ini")) << "four characters or fewer";
  EXPECT_FALSE(IniEnsureFile(u"quandrel.ini")) << "no directory separator";
  EXPECT_FALSE(ensure("settings.txt"));
  EXPECT_FALSE(ensure("settings.inix"));
  EXPECT_FALSE(ensure("settings"));
  EXPECT_FALSE(ensure("missing/settings.ini")) << "the directory must exist";
  writeFile(dir.file("plain"), {});
  EXPECT_FALSE(ensure("plain/settings.ini")) << "the directory must be a directory";
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"plain"});
}

TEST_F(IniEnsure, LeavesAMarkedFileAsItIs) {
  const Bytes settings = iniBytes(u"[S]\r\n  a=1");
  writeFile(dir.file("s.ini"), settings);
  struct stat before {};
  ASSERT_EQ(::stat(dir.file("s.ini").c_str(), &before), 0);
  EXPECT_TRUE(ensure("s.ini"));
  struct stat after {};
  ASSERT_EQ(::stat(dir.file("s.ini").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(readFile(dir.file("s.ini")), settings);
}

TEST_F(IniEnsure, ReplacesShortOrUnmarkedFiles) {
  const Bytes replaced[] = {{}, {0xFF}, {0xFE, 0xFF, 'a', 0}, {'[', 'S', ']', '\r', '\n', 'a', '=', '1'}};
  for (const Bytes& bytes : replaced) {
    writeFile(dir.file("s.ini"), bytes);
    EXPECT_TRUE(ensure("s.ini"));
    EXPECT_EQ(readFile(dir.file("s.ini")), (Bytes{0xFF, 0xFE}));
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"s.ini"});
}

TEST_F(IniEnsure, LeavesAFileItCannotReadAlone) {
  const Bytes settings = iniBytes(u"[S]\r\n  a=1");
  writeFile(dir.file("s.ini"), settings);
  for (const char* operation : {"open", "size", "read"}) {
    FailingFileSystem failing{std::string(operation)};
    ScopedFileSystem scope(failing);
    EXPECT_FALSE(ensure("s.ini")) << operation;
    EXPECT_EQ(readFile(dir.file("s.ini")), settings) << operation;
  }
}

TEST_F(IniEnsure, ClearsTheReadOnlyPermissionAndKeepsTheOthers) {
  writeFile(dir.file("s.ini"), iniBytes(u""));
  ASSERT_EQ(::chmod(dir.file("s.ini").c_str(), 0444), 0);
  EXPECT_TRUE(ensure("s.ini"));
  EXPECT_EQ(permissionsOf(dir.file("s.ini")), 0644u);
}

TEST_F(IniEnsure, FailsWhereNoFileCanBe) {
  std::filesystem::create_directory(dir.file("taken.ini"));
  EXPECT_FALSE(ensure("taken.ini"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.ini")));
}

TEST_F(IniEnsure, DirectoryPathsLongerThanTheOldLimitWork) {
  std::string deep = dir.path();
  while (deep.size() < 600) {
    deep += "/" + std::string(100, 'd');
    std::filesystem::create_directory(deep);
  }
  const std::u16string path = utf16FromUtf8(deep + "/quandrel.ini");
  EXPECT_TRUE(IniEnsureFile(path.c_str()));
  EXPECT_TRUE(IniWriteInt(u"S", u"a", 5, path.c_str()));
  int32_t value = 0;
  EXPECT_TRUE(IniReadInt(u"S", u"a", &value, path.c_str()));
  EXPECT_EQ(value, 5);
}

}  // namespace
