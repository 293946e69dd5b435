// Successive writes into a file holding only the mark give exactly the expected bytes.
#include <gtest/gtest.h>

#include "ini_test_support.hpp"
#include "settings/ini.hpp"

namespace {

TEST(IniWorkedExample, SuccessiveWritesGiveTheseBytes) {
  TempDir dir;
  const std::u16string path = dir.wideFile("example.ini");
  writeFile(dir.file("example.ini"), {0xFF, 0xFE});

  struct Step {
    const char16_t* section;
    const char16_t* key;
    int32_t number;
    std::u16string_view text;
  };
  const Step steps[] = {
      {u"S", u"a", 1, u"[S]\r\n  a=1"},
      {u"S", u"b", 20, u"[S]\r\n  a=1\r\n  b=20"},
      {u"T", u"a", -3, u"[S]\r\n  a=1\r\n  b=20\r\n[T]\r\n  a=-3"},
      {u"S", u"c", 5, u"[S]\r\n  a=1\r\n  b=20\r\n  c=5\r\n[T]\r\n  a=-3"},
      {u"S", u"a", 7, u"[S]\r\n  a=7\r\n  b=20\r\n  c=5\r\n[T]\r\n  a=-3"},
  };
  for (const Step& step : steps) {
    ASSERT_TRUE(IniWriteInt(step.section, step.key, step.number, path.c_str()));
    EXPECT_EQ(readFile(dir.file("example.ini")), iniBytes(step.text));
    int32_t number = 0;
    EXPECT_TRUE(IniReadInt(step.section, step.key, &number, path.c_str()));
    EXPECT_EQ(number, step.number);
  }
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"example.ini"}) << "no temporary file is left";
}

}  // namespace
