// The game's own files: their exact text, what the reader accepts, setting a bad file aside,
// and a save that survives a failure of any file operation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "failing_file_system.hpp"
#include "ini_test_support.hpp"
#include "platform/services/debug_output.hpp"
#include "progress/progress_file.hpp"

using progress::ParseResult;
using progress::ProgressDocument;
using progress::ReadResult;

namespace {

constexpr int Version = 2;

ProgressDocument sample() {
  ProgressDocument document;
  document.set("level1", "claims", "2");
  document.set("level1", "bestScore", "650");
  document.set("level2", "claims", "1");
  document.set("level1", "claims", "3");  // replaced in place
  return document;
}

constexpr std::string_view SampleText = "[format]\nversion=2\n\n[level1]\nclaims=3\nbestScore=650\n\n[level2]\nclaims=1\n";

// Collects the lines written to standard error while it lives.
class ReportedLines {
 public:
  ReportedLines() {
    previous = services::setDebugOutputSink([this](const std::string& line) { lines.push_back(line); });
  }
  ~ReportedLines() { services::setDebugOutputSink(std::move(previous)); }
  std::vector<std::string> lines;

 private:
  services::DebugOutputSink previous;
};

TEST(ProgressFile, SavesTheExactTextAndReadsItBack) {
  TempDir dir;
  const std::string path = dir.file("quandrel-records.ini");
  ASSERT_TRUE(progress::saveProgressFile(path, sample(), Version));
  EXPECT_EQ(readFile(path), bytesOf(SampleText));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-records.ini"});

  ProgressDocument read;
  ASSERT_EQ(progress::readProgressFile(path, Version, read), ReadResult::Read);
  EXPECT_EQ(progress::formatProgress(read, Version), SampleText);
  ASSERT_NE(read.value("level1", "bestScore"), nullptr);
  EXPECT_EQ(*read.value("level1", "bestScore"), "650");
  EXPECT_EQ(read.value("level1", "fewestShots"), nullptr);
  EXPECT_EQ(read.value("format", "version"), nullptr) << "the version is the file's, not the document's";

  read.set("level1", "name", "two\nlines");
  EXPECT_EQ(*read.value("level1", "name"), "two lines") << "a value stays on its line";
}

TEST(ProgressFile, ParsesWhatAnEditorMayLeaveAndRefusesTheRest) {
  struct Case {
    const char* name;
    std::string text;
    ParseResult expected;
  };
  const std::vector<Case> cases{
      {"as written", std::string(SampleText), ParseResult::Read},
      {"mark, CR LF, comments, blanks, spaces",
       "\xEF\xBB\xBF# mine\r\n[format]\r\n version = 2 \r\n\r\n; note\r\n[level1]\r\nclaims=3\r\nbestScore=650\r\n",
       ParseResult::Read},
      {"newer version", "[format]\nversion=3\n[a]\nb=c\n", ParseResult::Newer},
      {"newer version with lines this one cannot read", "[format]\nversion=9\n{json}\n", ParseResult::Damaged},
      {"empty", "", ParseResult::Damaged},
      {"no format section first", "[level1]\nclaims=1\n[format]\nversion=1\n", ParseResult::Damaged},
      {"key before any section", "claims=1\n[format]\nversion=1\n", ParseResult::Damaged},
      {"no version", "[format]\n[a]\nb=c\n", ParseResult::Damaged},
      {"version not a number", "[format]\nversion=two\n", ParseResult::Damaged},
      {"line without =", "[format]\nversion=1\n[a]\nclaims\n", ParseResult::Damaged},
      {"not UTF-8", "[format]\nversion=1\n[a]\nb=\xFF\xFE\n", ParseResult::Damaged},
      {"cut in a character", "[format]\nversion=1\n[a]\nb=\xE4\xB8", ParseResult::Damaged},
  };
  for (const Case& c : cases) {
    ProgressDocument document;
    EXPECT_EQ(progress::parseProgress(c.text, Version, document), c.expected) << c.name;
    if (c.expected != ParseResult::Read) {
      EXPECT_TRUE(document.sections.empty()) << c.name;
    }
  }
}

// Texts found by fuzzing whose document the writer once wrote back differently or as a file
// the reader refused.
TEST(ProgressFile, WhatTheReaderAcceptsIsWrittenBackAsTheSameDocument) {
  struct Case {
    const char* name;
    std::string text;
    std::string written;
  };
  const std::vector<Case> cases{
      {"section named by a tab", "[format]\nversion=1\n[\t]\na=", "[format]\nversion=2\n\n[]\na=\n"},
      {"carriage return in a section name", "[format]\nversion=1\n[a\rb]\nc=d\n",
       "[format]\nversion=2\n\n[a b]\nc=d\n"},
      {"carriage return before a value", "[format]\nversion=1\n[a]\nb=\r\bc\r\n", "[format]\nversion=2\n\n[a]\nb=\bc\n"},
      {"carriage return in two spellings of a key", "[format]\nversion=1\n[a]\nb\rc=1\nb c=2\n",
       "[format]\nversion=2\n\n[a]\nb c=2\n"},
  };
  for (const Case& c : cases) {
    ProgressDocument read;
    ASSERT_EQ(progress::parseProgress(c.text, Version, read), ParseResult::Read) << c.name;
    const std::string written = progress::formatProgress(read, Version);
    EXPECT_EQ(written, c.written) << c.name;
    ProgressDocument again;
    ASSERT_EQ(progress::parseProgress(written, Version, again), ParseResult::Read) << c.name;
    EXPECT_EQ(progress::formatProgress(again, Version), written) << c.name;
  }
}

TEST(ProgressFile, ADamagedOrNewerFileIsSetAsideOnceAndReplacesAnOlderBadFile) {
  for (const std::string& stored : {std::string("[level1]\nclaims=1\n"), std::string("[format]\nversion=7\n")}) {
    TempDir dir;
    const std::string path = dir.file("quandrel-records.ini");
    writeFile(path, bytesOf(stored));
    writeFile(path + ".bad", bytesOf("older"));
    ReportedLines reported;
    ProgressDocument document;
    EXPECT_FALSE(progress::loadProgressFile(path, Version, "records", document));
    EXPECT_TRUE(document.sections.empty());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-records.ini.bad"});
    EXPECT_EQ(readFile(path + ".bad"), bytesOf(stored)) << "kept byte for byte";
    ASSERT_EQ(reported.lines.size(), 1u);
    EXPECT_NE(reported.lines[0].find("quandrel-records.ini.bad"), std::string::npos) << reported.lines[0];
    EXPECT_NE(reported.lines[0].find("empty records"), std::string::npos) << reported.lines[0];
  }
}

TEST(ProgressFile, ReadingChangesNothingAndOnlyAFileThatExistsIsSetAside) {
  TempDir dir;
  const std::string path = dir.file("quandrel-records.ini");
  ReportedLines reported;
  ProgressDocument document;
  EXPECT_FALSE(progress::loadProgressFile(path, Version, "records", document));
  writeFile(path, bytesOf("garbage"));
  EXPECT_EQ(progress::readProgressFile(path, Version, document), ReadResult::Damaged);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-records.ini"});
  EXPECT_TRUE(reported.lines.empty()) << "a missing file is no fault, and reading alone reports nothing";

  // A file that cannot be read is set aside rather than overwritten by the next save.
  writeFile(path, bytesOf(SampleText));
  FailingFileSystem failing("read");
  {
    ScopedFileSystem scope(failing);
    EXPECT_FALSE(progress::loadProgressFile(path, Version, "records", document));
  }
  EXPECT_EQ(readFile(path + ".bad"), bytesOf(SampleText));
  EXPECT_EQ(reported.lines.size(), 1u);
}

TEST(ProgressFile, AFailedSaveAtAnyStepLeavesTheOldFileWholeAndNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.file("quandrel-records.ini");
  const Bytes before = bytesOf("[format]\nversion=1\n");
  writeFile(path, before);
  FailingFileSystem counting(-1);
  {
    ScopedFileSystem scope(counting);
    ASSERT_TRUE(progress::saveProgressFile(path, sample(), Version));
  }
  for (int failAt = 0; failAt < counting.calls(); ++failAt) {
    writeFile(path, before);
    bool onlyOldOrNew = true;
    FailingFileSystem failing(failAt, [&] {
      const Bytes now = readFile(path);
      onlyOldOrNew = onlyOldOrNew && (now == before || now == bytesOf(SampleText));
    });
    bool saved;
    {
      ScopedFileSystem scope(failing);
      saved = progress::saveProgressFile(path, sample(), Version);
    }
    const std::string where = "failing " + failing.failed();
    EXPECT_TRUE(onlyOldOrNew) << where;
    // Only the lookup before the save may fail without harm: the file is then written anew.
    EXPECT_EQ(saved, failing.failed() == "lookup") << where;
    EXPECT_EQ(readFile(path), saved ? bytesOf(SampleText) : before) << where;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-records.ini"}) << where << ": temporary file left";
  }
}

}  // namespace
