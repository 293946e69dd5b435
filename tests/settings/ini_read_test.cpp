// Reading: what the reader finds in a file, quirks of its substring search included.
#include <gtest/gtest.h>

#include <climits>

#include "ini_test_support.hpp"
#include "settings/ini.hpp"
#include "settings/ini_file.hpp"

namespace {

class IniRead : public ::testing::Test {
 protected:
  // Writes the text (after the mark) as the file and returns its path.
  const std::u16string& withText(std::u16string_view text) {
    writeFile(dir.file("read.ini"), iniBytes(text));
    return path;
  }
  int32_t readInt(const char16_t* section, const char16_t* key, int32_t fallback = -999) {
    int32_t value = fallback;
    return IniReadInt(section, key, &value, path.c_str()) ? value : fallback;
  }

  TempDir dir;
  std::u16string path = dir.wideFile("read.ini");
};

TEST_F(IniRead, FileHoldingOnlyTheMarkHasNothing) {
  withText(u"");
  EXPECT_EQ(readValue(u"S", u"a", path), u"<none>");
  int32_t value = 42;
  EXPECT_FALSE(IniReadInt(u"S", u"a", &value, path.c_str()));
  EXPECT_EQ(value, 42) << "a failed read leaves the number untouched";
}

TEST_F(IniRead, FilesWithoutTheMarkAreUnreadableAndUntouched) {
  const Bytes unreadable[] = {{}, {0xFF}, {0xFE, 0xFF, 'a', 0}, {'[', 'S', ']', '\n', 'a', '=', '1'}};
  for (const Bytes& bytes : unreadable) {
    writeFile(dir.file("read.ini"), bytes);
    EXPECT_EQ(readValue(u"S", u"a", path), u"<none>");
    EXPECT_FALSE(IniWriteString(u"S", u"a", u"1", path.c_str()));
    EXPECT_FALSE(IniWriteString(u"S", nullptr, nullptr, path.c_str()));
    EXPECT_EQ(IniCountSections(path.c_str()), 0);
    EXPECT_FALSE(IniHasSection(u"S", path.c_str()));
    EXPECT_EQ(readFile(dir.file("read.ini")), bytes);
  }
}

TEST_F(IniRead, MissingFileIsNeverCreated) {
  const std::u16string missing = dir.wideFile("missing.ini");
  EXPECT_EQ(readValue(u"S", u"a", missing), u"<none>");
  EXPECT_FALSE(IniWriteInt(u"S", u"a", 1, missing.c_str()));
  EXPECT_FALSE(fileExists(dir.file("missing.ini")));
}

TEST_F(IniRead, RejectsMissingArguments) {
  withText(u"[S]\r\n  a=1");
  char16_t* value = nullptr;
  int32_t number = 0;
  EXPECT_FALSE(IniReadString(nullptr, u"a", &value, path.c_str()));
  EXPECT_FALSE(IniReadString(u"", u"a", &value, path.c_str()));
  EXPECT_FALSE(IniReadString(u"S", nullptr, &value, path.c_str()));
  EXPECT_FALSE(IniReadString(u"S", u"", &value, path.c_str())) << "an empty key names nothing";
  EXPECT_FALSE(IniReadString(u"S", u"a", nullptr, path.c_str()));
  EXPECT_FALSE(IniReadString(u"S", u"a", &value, nullptr));
  EXPECT_FALSE(IniReadInt(u"S", u"a", nullptr, path.c_str()));
  EXPECT_FALSE(IniReadInt(u"S", u"a", &number, nullptr));
  EXPECT_EQ(value, nullptr);
}

TEST_F(IniRead, HeaderMustStandAloneOnItsLine) {
  withText(u"[S] \r\n  a=1\r\n  [T]\r\n  b=2\r\nx[U]\r\n  c=3\r\n[V]\n  d=4");
  EXPECT_EQ(readValue(u"S", u"a", path), u"<none>") << "blank after ]";
  EXPECT_EQ(readValue(u"T", u"b", path), u"<none>") << "blank before [";
  EXPECT_EQ(readValue(u"U", u"c", path), u"<none>") << "text before [";
  EXPECT_EQ(readValue(u"V", u"d", path), u"4") << "LF alone ends a header line";
  EXPECT_EQ(readValue(u"s", u"a", path), u"<none>") << "names are case-sensitive";
}

TEST_F(IniRead, KeyIsASubstringSearchWithinTheSection) {
  withText(u"[S]\r\n  CurrentLevel=5\r\n  Level=9\r\n  x=val a=3\r\n[T]\r\n  late=1\r\n[S2]\r\n  b=2");
  EXPECT_EQ(readInt(u"S", u"Level"), 5) << "a key that is the tail of an earlier key matches it";
  EXPECT_EQ(readValue(u"S", u"a", path), u"3") << "text inside a value matches too";
  EXPECT_EQ(readValue(u"S", u"late", path), u"<none>") << "the key begins after the section end";
  EXPECT_EQ(readValue(u"S", u"b", path), u"<none>");
  EXPECT_EQ(readValue(u"S2", u"b", path), u"2");
  EXPECT_EQ(readValue(u"S", u"Current", path), u"<none>") << "an occurrence not followed by = is passed over";
}

TEST_F(IniRead, LineThatBeginsWithABracketEndsTheSection) {
  withText(u"[S]\r\n  a=1\r\n[not a header\r\n  b=2");
  EXPECT_EQ(readValue(u"S", u"a", path), u"1");
  EXPECT_EQ(readValue(u"S", u"b", path), u"<none>");
}

TEST_F(IniRead, ValueRunsToTheLineEndLessOneCarriageReturn) {
  withText(u"[S]\nlf=plain\ncr=x\r\r\nsp= spaced \r\nempty=\r\nlast=end");
  EXPECT_EQ(readValue(u"S", u"lf", path), u"plain");
  EXPECT_EQ(readValue(u"S", u"cr", path), u"x\r");
  EXPECT_EQ(readValue(u"S", u"sp", path), u" spaced ");
  EXPECT_EQ(readValue(u"S", u"empty", path), u"");
  EXPECT_EQ(readValue(u"S", u"last", path), u"end");
}

TEST_F(IniRead, NumbersAreReadLikeABaseTenConversion) {
  withText(
      u"[S]\r\n  lead= 12\r\n  tab=\t-7x\r\n  plus=+8\r\n  text=abc\r\n  empty=\r\n  big=99999999999\r\n"
      u"  small=-99999999999\r\n  max=2147483647\r\n  min=-2147483648\r\n  sign=- 5\r\n  hex=0x1F");
  EXPECT_EQ(readInt(u"S", u"lead"), 12);
  EXPECT_EQ(readInt(u"S", u"tab"), -7);
  EXPECT_EQ(readInt(u"S", u"plus"), 8);
  EXPECT_EQ(readInt(u"S", u"text"), 0);
  EXPECT_EQ(readInt(u"S", u"empty"), 0);
  EXPECT_EQ(readInt(u"S", u"big"), INT32_MAX);
  EXPECT_EQ(readInt(u"S", u"small"), INT32_MIN);
  EXPECT_EQ(readInt(u"S", u"max"), INT32_MAX);
  EXPECT_EQ(readInt(u"S", u"min"), INT32_MIN);
  EXPECT_EQ(readInt(u"S", u"sign"), 0);
  EXPECT_EQ(readInt(u"S", u"hex"), 0);
}

TEST_F(IniRead, TextEndsAtTheFirstNulOrALoneLastByte) {
  Bytes bytes = iniBytes(u"[S]\r\n  a=1");
  bytes.insert(bytes.end(), {0, 0, 'x', 0});
  writeFile(dir.file("read.ini"), bytes);
  EXPECT_EQ(readValue(u"S", u"a", path), u"1");

  Bytes odd = iniBytes(u"[S]\r\n  a=1");
  odd.push_back('2');
  writeFile(dir.file("read.ini"), odd);
  EXPECT_EQ(readValue(u"S", u"a", path), u"12") << "a lone last byte reads as a unit with a zero high byte";
}

TEST_F(IniRead, FilesOverOneMebibyteAreRefused) {
  std::u16string text = u"[S]\r\n  a=1\r\n  pad=";
  const size_t atLimit = (ini::MaxFileBytes - 2) / 2;
  text.resize(atLimit, u'x');
  writeFile(dir.file("read.ini"), iniBytes(text));
  EXPECT_EQ(readValue(u"S", u"a", path), u"1") << "exactly 1 MiB is still read";

  Bytes over = iniBytes(text);
  over.push_back('x');
  writeFile(dir.file("read.ini"), over);
  EXPECT_EQ(readValue(u"S", u"a", path), u"<none>");
  EXPECT_FALSE(IniWriteString(u"S", u"a", u"2", path.c_str()));
  EXPECT_EQ(IniCountSections(path.c_str()), 0);
  EXPECT_EQ(readFile(dir.file("read.ini")), over);
}

TEST_F(IniRead, ADirectoryIsNotAFile) {
  const std::u16string directory = dir.wideFile("");
  EXPECT_EQ(readValue(u"S", u"a", directory), u"<none>");
  EXPECT_FALSE(IniWriteString(u"S", u"a", u"1", directory.c_str()));
}

}  // namespace
