// Every change survives a failure of any file operation: the old file stays whole and the
// change reports false, and at no moment does the disk hold anything but the old or new file.
#include <gtest/gtest.h>

#include <functional>

#include "failing_file_system.hpp"
#include "ini_test_support.hpp"
#include "settings/ini.hpp"

namespace {

const std::u16string_view Original = u"[S]\r\n  a=1\r\n  b=2\r\n[T]\r\n  c=3";

struct Change {
  const char* name;
  Bytes before;
  std::function<bool(const char16_t* path)> apply;
};

std::vector<Change> changes() {
  const Bytes original = iniBytes(Original);
  return {
      {"new section appended", original, [](auto p) { return IniWriteInt(u"U", u"d", 4, p); }},
      {"new key appended", original, [](auto p) { return IniWriteInt(u"T", u"e", 5, p); }},
      {"new key inserted", original, [](auto p) { return IniWriteInt(u"S", u"f", 6, p); }},
      {"value replaced", original, [](auto p) { return IniWriteString(u"S", u"b", u"twenty", p); }},
      {"key deleted", original, [](auto p) { return IniWriteString(u"S", u"a", nullptr, p); }},
      {"section deleted", original, [](auto p) { return IniWriteString(u"S", nullptr, nullptr, p); }},
      {"first write", iniBytes(u""), [](auto p) { return IniWriteInt(u"S", u"a", 1, p); }},
      {"unmarked file replaced", Bytes{'a', '=', '1'}, [](auto p) { return IniEnsureFile(p); }},
  };
}

TEST(IniFaults, AFailureAtAnyOperationLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string file = dir.file("f.ini");
  const std::u16string path = dir.wideFile("f.ini");

  for (const Change& change : changes()) {
    // The run without failures gives the new bytes and the number of operations.
    writeFile(file, change.before);
    FailingFileSystem counting(-1);
    Bytes after;
    {
      ScopedFileSystem scope(counting);
      ASSERT_TRUE(change.apply(path.c_str())) << change.name;
      after = readFile(file);
    }
    ASSERT_NE(after, change.before) << change.name;

    for (int failAt = 0; failAt < counting.calls(); ++failAt) {
      writeFile(file, change.before);
      bool onlyOldOrNew = true;
      FailingFileSystem failing(failAt, [&] {
        const Bytes now = readFile(file);
        onlyOldOrNew = onlyOldOrNew && (now == change.before || now == after);
      });
      bool result;
      {
        ScopedFileSystem scope(failing);
        result = change.apply(path.c_str());
      }
      const std::string where = std::string(change.name) + ", failing " + failing.failed();
      EXPECT_TRUE(onlyOldOrNew) << where;
      EXPECT_EQ(dir.entries(), std::vector<std::string>{"f.ini"}) << where << ": temporary file left";
      if (failing.failed() == "close" || failing.failed() == "clearReadOnly") {
        // Closing a file only read, or failing to clear a flag that is not set, loses nothing.
        EXPECT_TRUE(result) << where;
        EXPECT_EQ(readFile(file), after) << where;
      } else {
        EXPECT_FALSE(result) << where;
        EXPECT_EQ(readFile(file), change.before) << where;
      }
    }
  }
}

TEST(IniFaults, EveryWriteStepIsExercised) {
  TempDir dir;
  writeFile(dir.file("f.ini"), iniBytes(Original));
  const std::u16string path = dir.wideFile("f.ini");
  std::set<std::string> failed;
  for (int failAt = 0;; ++failAt) {
    FailingFileSystem failing(failAt);
    ScopedFileSystem scope(failing);
    IniWriteInt(u"S", u"a", failAt, path.c_str());
    if (failing.failed().empty()) break;
    failed.insert(failing.failed());
  }
  const std::set<std::string> steps{"lookup", "open",  "size",  "read",           "close", "createTemporary",
                                    "write",  "flush", "rename", "close temporary", "copyPermissions"};
  EXPECT_EQ(failed, steps);
}

}  // namespace
