// Counting, naming and finding sections.
#include <gtest/gtest.h>

#include <array>

#include "ini_test_support.hpp"
#include "settings/ini.hpp"

namespace {

class IniSections : public ::testing::Test {
 protected:
  void start(std::u16string_view text) { writeFile(dir.file("s.ini"), iniBytes(text)); }
  std::u16string name(int32_t index, size_t capacity = 64) {
    std::array<char16_t, 64> buffer;
    buffer.fill(u'#');
    IniSectionName(buffer.data(), capacity, index, path.c_str());
    return buffer.data();
  }
  TempDir dir;
  std::u16string path = dir.wideFile("s.ini");
};

TEST_F(IniSections, HeaderLinesAreCountedAndNamedInFileOrder) {
  start(u"[first]\r\n  a=1\r\n[]\n  [indented]\r\n[with ] inside]\r\n[open\r\n[last]");
  EXPECT_EQ(IniCountSections(path.c_str()), 4);
  EXPECT_EQ(name(0), u"first");
  EXPECT_EQ(name(1), u"");
  EXPECT_EQ(name(2), u"with ] inside");
  EXPECT_EQ(name(3), u"last");
}

TEST_F(IniSections, NameIsCutToTheCapacityAndAlwaysTerminated) {
  start(u"[abcdef]\r\n[x\U0001F3B5y]");
  EXPECT_EQ(name(0, 4), u"abc");
  EXPECT_EQ(name(0, 7), u"abcdef");
  EXPECT_EQ(name(0, 1), u"");
  EXPECT_EQ(name(1, 3), u"x") << "half a surrogate pair is not kept";
  EXPECT_EQ(name(1, 4), u"x\U0001F3B5");

  std::array<char16_t, 2> untouched{u'#', u'#'};
  IniSectionName(untouched.data(), 0, 0, path.c_str());
  EXPECT_EQ(untouched[0], u'#') << "no capacity, nothing written";
  IniSectionName(nullptr, 10, 0, path.c_str());
}

TEST_F(IniSections, NameIsEmptyWhenThereIsNoSuchSection) {
  start(u"[only]");
  EXPECT_EQ(name(1), u"");
  EXPECT_EQ(name(-1), u"");
  std::array<char16_t, 8> buffer;
  buffer.fill(u'#');
  IniSectionName(buffer.data(), buffer.size(), 0, nullptr);
  EXPECT_EQ(buffer[0], u'\0');
}

TEST_F(IniSections, HasSectionNeedsACarriageReturnOrTheEnd) {
  start(u"[crlf]\r\n[lf]\n x[inner]\r\n[end]");
  EXPECT_TRUE(IniHasSection(u"crlf", path.c_str()));
  EXPECT_FALSE(IniHasSection(u"lf", path.c_str()));
  EXPECT_FALSE(IniHasSection(u"inner", path.c_str()));
  EXPECT_TRUE(IniHasSection(u"end", path.c_str()));
  EXPECT_FALSE(IniHasSection(u"en", path.c_str()));
  EXPECT_FALSE(IniHasSection(u"", path.c_str()));
  EXPECT_FALSE(IniHasSection(nullptr, path.c_str()));
}

TEST_F(IniSections, UnreadableFilesHaveNoSections) {
  writeFile(dir.file("s.ini"), {'[', 'a', ']'});
  EXPECT_EQ(IniCountSections(path.c_str()), 0);
  EXPECT_EQ(name(0), u"");
  EXPECT_FALSE(IniHasSection(u"a", path.c_str()));
  EXPECT_EQ(IniCountSections(nullptr), 0);
  EXPECT_EQ(IniCountSections(dir.wideFile("missing.ini").c_str()), 0);
}

}  // namespace
