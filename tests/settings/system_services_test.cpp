// The system services the settings rely on: text conversion for paths and the executable's path.
#include <gtest/gtest.h>

#include <unistd.h>

#include "ini_test_support.hpp"
#include "platform/system/executable_path.hpp"
#include "platform/system/utf.hpp"

namespace {

TEST(Utf, ConvertsEveryPlaneBothWays) {
  const std::string utf8 = "a\xC3\xA9\xE6\xB8\xB8\xF0\x9F\x8E\xB5z";
  const std::u16string utf16 = u"a\u00E9\u6E38\U0001F3B5z";
  EXPECT_EQ(utf16FromUtf8(utf8), utf16);
  EXPECT_EQ(utf8FromUtf16(utf16), utf8);
  EXPECT_EQ(utf16FromUtf8(""), u"");
}

TEST(Utf, UndecodableBytesSurviveTheRoundTrip) {
  const std::string names[] = {
      "\xFF\xFE", "caf\xE9.ini", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE6\xB8", "\xC3", "\x80x"};
  for (const std::string& name : names) {
    const std::u16string wide = utf16FromUtf8(name);
    for (char16_t unit : wide) {
      if (unit >= 0xD800 && unit <= 0xDFFF) {
        EXPECT_GE(unit, 0xDC80) << "escaped bytes are lone low surrogates";
      }
    }
    EXPECT_EQ(utf8FromUtf16(wide), name);
  }
}

TEST(Utf, OtherLoneSurrogatesBecomeTheReplacementCharacter) {
  EXPECT_EQ(utf8FromUtf16(u"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(utf8FromUtf16(std::u16string(1, char16_t(0xDC10))), "\xEF\xBF\xBD");
  EXPECT_EQ(utf8FromUtf16(std::u16string{char16_t(0xDBFF)}), "\xEF\xBF\xBD");
}

TEST(ExecutablePath, ReadsLinkTargetsOfAnyLength) {
  TempDir dir;
  std::string target = "/";
  while (target.size() < 3000) target += std::string(200, 'x') + "/";
  target += "program";
  ASSERT_EQ(::symlink(target.c_str(), dir.file("link").c_str()), 0);
  EXPECT_EQ(symlinkTarget(dir.file("link")), target);
  EXPECT_EQ(symlinkTarget(dir.file("no-such-link")), "");
}

TEST(ExecutablePath, NamesTheRunningProgram) {
  const std::u16string path = executablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), u'/');
  EXPECT_EQ(::access(utf8FromUtf16(path).c_str(), X_OK), 0);
}

}  // namespace
