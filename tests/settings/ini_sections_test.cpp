// Counting, naming and finding sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string>

#include "ini_test_support.hpp"
#include "settings/ini.hpp"

namespace {

constexpr char16_t Fill = 0xFFFF;

class IniSections : public ::testing::Test {
 protected:
  void start(std::u16string_view text) { writeFile(dir.file("s.ini"), iniBytes(text)); }
  // The name written into a buffer of `capacity` units filled beforehand, or nothing when no
  // unit was written; the unit just past the capacity must stay as it was.
  std::optional<std::u16string> name(int32_t index, size_t capacity = 64, const char16_t* file = nullptr) {
    std::array<char16_t, 65> buffer;
    buffer.fill(Fill);
    IniSectionName(buffer.data(), capacity, index, file ? file : path.c_str());
    EXPECT_EQ(buffer[capacity], Fill) << "written past the capacity";
    const auto end = buffer.begin() + static_cast<ptrdiff_t>(capacity);
    if (std::all_of(buffer.begin(), end, [](char16_t unit) { return unit == Fill; })) return std::nullopt;
    const auto terminator = std::find(buffer.begin(), end, u'\0');
    EXPECT_NE(terminator, end) << "not terminated within the capacity";
    return std::u16string(buffer.begin(), terminator);
  }
  TempDir dir;
  std::u16string path = dir.wideFile("s.ini");
};

TEST_F(IniSections, HeaderLinesAreCountedAndNamedInFileOrder) {
  start(u"[first]\r\n  a=1\r\n[]\n  [indented]\r\n[with ] inside]\r\n[open\r\n[last]");
  EXPECT_EQ(IniCountSections(path.c_str()), 4);
  EXPECT_EQ(name(0), u"first");
  EXPECT_EQ(name(1), u"") << "a section named [] is an empty name, not nothing";
  EXPECT_EQ(name(2), u"with ] inside");
  EXPECT_EQ(name(3), u"last");
}

TEST_F(IniSections, NameIsCutToTheCapacityAndAlwaysTerminated) {
  start(u"[abcdef]\r\n[x\U0001F3B5y]\r\n[]");
  EXPECT_EQ(name(0, 4), u"abc");
  EXPECT_EQ(name(0, 6), u"abcde");
  EXPECT_EQ(name(0, 7), u"abcdef") << "exactly fits with its terminator";
  EXPECT_EQ(name(0, 64), u"abcdef");
  EXPECT_EQ(name(0, 1), u"") << "room for the terminator alone";
  EXPECT_EQ(name(2, 1), u"");
  EXPECT_EQ(name(1, 3), u"x") << "half a surrogate pair is not kept";
  EXPECT_EQ(name(1, 4), u"x\U0001F3B5");
  EXPECT_EQ(name(1, 2), u"x");

  EXPECT_EQ(name(0, 0), std::nullopt) << "no capacity, nothing written";
  IniSectionName(nullptr, 10, 0, path.c_str());
}

TEST_F(IniSections, NothingIsWrittenWhenThereIsNoSuchSection) {
  start(u"[only]\r\n  [not a header]\r\n[open");
  EXPECT_EQ(name(0), u"only");
  EXPECT_EQ(name(1), std::nullopt) << "one past the last header line";
  EXPECT_EQ(name(2), std::nullopt);
  EXPECT_EQ(name(INT32_MAX), std::nullopt);
  EXPECT_EQ(name(-1), std::nullopt);
  EXPECT_EQ(name(INT32_MIN), std::nullopt);
  std::array<char16_t, 8> buffer;
  buffer.fill(Fill);
  IniSectionName(buffer.data(), buffer.size(), 0, nullptr);
  EXPECT_EQ(buffer[0], Fill) << "no path, nothing written";

  start(u"");
  EXPECT_EQ(name(0), std::nullopt) << "a file holding only its mark";
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
  EXPECT_EQ(name(0), std::nullopt);
  EXPECT_FALSE(IniHasSection(u"a", path.c_str()));
  EXPECT_EQ(IniCountSections(nullptr), 0);
  const std::u16string missing = dir.wideFile("missing.ini");
  EXPECT_EQ(IniCountSections(missing.c_str()), 0);
  EXPECT_EQ(name(0, 64, missing.c_str()), std::nullopt);
}

}  // namespace
