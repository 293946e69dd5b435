// Writing and deleting: the bytes each change leaves in the file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ini_test_support.hpp"
#include "settings/ini.hpp"

namespace {

class IniWrite : public ::testing::Test {
 protected:
  void start(std::u16string_view text) { writeFile(dir.file("w.ini"), iniBytes(text)); }
  Bytes bytes() const { return readFile(dir.file("w.ini")); }
  bool set(const char16_t* section, const char16_t* key, const char16_t* value) {
    return IniWriteString(section, key, value, path.c_str());
  }

  TempDir dir;
  std::u16string path = dir.wideFile("w.ini");
};

TEST_F(IniWrite, FirstWriteHasNoLineEndBeforeTheHeader) {
  start(u"");
  EXPECT_TRUE(set(u"Sec", u"key", u"value"));
  EXPECT_EQ(bytes(), iniBytes(u"[Sec]\r\n  key=value"));
}

TEST_F(IniWrite, HeaderWithBlanksIsNotFoundSoASecondSectionIsAppended) {
  start(u"[S] \r\n  a=1");
  EXPECT_TRUE(set(u"S", u"a", u"2"));
  EXPECT_EQ(bytes(), iniBytes(u"[S] \r\n  a=1\r\n[S]\r\n  a=2"));
}

TEST_F(IniWrite, ReplacingAValueKeepsEveryOtherByte) {
  start(u"[S]\nkey=1\nother = x\n");
  EXPECT_TRUE(set(u"S", u"key", u"9"));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\nkey=9\nother = x\n"));

  start(u"[S]\r\n\tkey=long old value\r\n  next=2");
  EXPECT_TRUE(set(u"S", u"key", u""));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n\tkey=\r\n  next=2"));

  start(u"[S]\r\n  key=end");
  EXPECT_TRUE(set(u"S", u"key", u"new end"));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  key=new end"));
}

TEST_F(IniWrite, NewKeyOfAMiddleSectionBecomesItsLastLine) {
  start(u"[S]\r\n  a=1\r\n\r\n[T]\r\n  b=2");
  EXPECT_TRUE(set(u"S", u"c", u"3"));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  a=1\r\n\r\n  c=3\r\n[T]\r\n  b=2")) << "after the blank line";
}

TEST_F(IniWrite, LineBeginningWithABracketEndsTheSectionForANewKey) {
  start(u"[S]\r\n  a=1\r\n[junk\r\n  z=0");
  EXPECT_TRUE(set(u"S", u"b", u"2"));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  a=1\r\n  b=2\r\n[junk\r\n  z=0"));
}

TEST_F(IniWrite, AppendsKeepBytesAfterTheText) {
  // Appending adds to the whole file, so whatever follows a NUL stays in place.
  Bytes original = iniBytes(u"[S]\r\n  a=1");
  original.insert(original.end(), {0, 0, 'z', 0});
  writeFile(dir.file("w.ini"), original);
  EXPECT_TRUE(set(u"S", u"b", u"2"));
  Bytes expected = original;
  const Bytes appended = iniBytes(u"\r\n  b=2");
  expected.insert(expected.end(), appended.begin() + 2, appended.end());
  EXPECT_EQ(bytes(), expected);
}

TEST_F(IniWrite, IntegersAreDecimalText) {
  start(u"");
  EXPECT_TRUE(IniWriteInt(u"S", u"min", INT32_MIN, path.c_str()));
  EXPECT_TRUE(IniWriteInt(u"S", u"zero", 0, path.c_str()));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  min=-2147483648\r\n  zero=0"));
}

TEST_F(IniWrite, RejectsMissingArgumentsAndLeavesTheFile) {
  start(u"[S]\r\n  a=1");
  EXPECT_FALSE(IniWriteString(nullptr, u"a", u"1", path.c_str()));
  EXPECT_FALSE(IniWriteString(u"", u"a", u"1", path.c_str()));
  EXPECT_FALSE(IniWriteString(u"S", u"", u"1", path.c_str())) << "an empty key names nothing";
  EXPECT_FALSE(IniWriteString(u"S", u"a", u"1", nullptr));
  EXPECT_FALSE(IniWriteInt(u"", u"a", 1, path.c_str()));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  a=1"));
}

TEST_F(IniWrite, DeletingASection) {
  start(u"[S]\r\n  a=1\r\n[T]\r\n  b=2\r\n[U]\r\n  c=3");
  EXPECT_TRUE(set(u"T", nullptr, nullptr));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  a=1\r\n[U]\r\n  c=3"));
  EXPECT_TRUE(set(u"U", nullptr, u"ignored"));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  a=1\r\n")) << "the line end before the header stays";
  EXPECT_TRUE(set(u"S", nullptr, nullptr));
  EXPECT_EQ(bytes(), iniBytes(u""));
}

TEST_F(IniWrite, DeletingAKeyTakesItsWholeLine) {
  start(u"[S]\r\n  a=1\r\n  b=2\r\n[T]\r\n  c=3");
  EXPECT_TRUE(set(u"S", u"a", nullptr));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  b=2\r\n[T]\r\n  c=3"));
  EXPECT_TRUE(set(u"T", u"c", nullptr));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  b=2\r\n[T]\r\n"));
}

TEST_F(IniWrite, DeletingAHandWrittenKeyLineKeepsItsNeighbours) {
  // No indentation and LF line ends: only the key's own line goes, never the header's line end.
  start(u"[S]\nkey=1\nnext=2\r\n[T]\r\n  c=3");
  EXPECT_TRUE(set(u"S", u"key", nullptr));
  EXPECT_EQ(bytes(), iniBytes(u"[S]\nnext=2\r\n[T]\r\n  c=3"));
  EXPECT_EQ(readValue(u"S", u"next", path), u"2");
}

TEST_F(IniWrite, DeletingWhatIsMissingSucceedsWithoutTouchingTheFile) {
  start(u"[S]\n  a=1");
  struct stat before {};
  ASSERT_EQ(::stat(dir.file("w.ini").c_str(), &before), 0);
  EXPECT_TRUE(set(u"T", nullptr, nullptr));
  EXPECT_TRUE(set(u"T", u"a", nullptr));
  EXPECT_TRUE(set(u"S", u"b", nullptr));
  struct stat after {};
  ASSERT_EQ(::stat(dir.file("w.ini").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino) << "the file was not replaced";
  EXPECT_EQ(bytes(), iniBytes(u"[S]\n  a=1"));
}

TEST_F(IniWrite, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
  start(u"[S]\r\n  a=1");
  ASSERT_EQ(::chmod(dir.file("w.ini").c_str(), 0640), 0);
  EXPECT_TRUE(set(u"S", u"a", u"2"));
  EXPECT_TRUE(set(u"S", u"b", u"3"));
  EXPECT_TRUE(set(u"S", u"b", nullptr));
  EXPECT_EQ(permissionsOf(dir.file("w.ini")), 0640u);
  EXPECT_EQ(bytes(), iniBytes(u"[S]\r\n  a=2\r\n"));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"w.ini"});
}

TEST_F(IniWrite, PathsWithNonAsciiNamesWork) {
  const std::string name = "r\xC3\xA9glages \xE6\xB8\xB8\xE6\x88\x8F.ini";
  writeFile(dir.file(name), iniBytes(u""));
  const std::u16string wide = dir.wideFile(name);
  EXPECT_TRUE(IniWriteString(u"\u8BBE\u7F6E", u"\u97F3", u"\U0001F3B5 on", wide.c_str()));
  EXPECT_EQ(readFile(dir.file(name)), iniBytes(u"[\u8BBE\u7F6E]\r\n  \u97F3=\U0001F3B5 on"));
  EXPECT_EQ(readValue(u"\u8BBE\u7F6E", u"\u97F3", wide), u"\U0001F3B5 on");
}

}  // namespace
