// The records of a level: each field keeps its own best, stars from what the attempt bought
// and repaired; and the records file's bytes, its round trip and its unusable values.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ini_test_support.hpp"
#include "progress/records_file.hpp"

namespace {

struct ClaimRow {
  const char* what;
  ClaimedAttempt attempt;
  bool beaten;
  LevelRecord after;
};

TEST(LevelRecords, EachFieldKeepsItsOwnBestAcrossClaims) {
  // Claims of one level in order; score, shots, time and stars improve at different claims.
  const std::vector<ClaimRow> rows{
      {"first claim", {650, 80, 95000, true, true}, true, {1, 650, 80, 95000, 1}},
      {"worse in everything", {600, 90, 99000, true, false}, false, {2, 650, 80, 95000, 1}},
      {"better score only", {700, 95, 120000, true, false}, true, {3, 700, 80, 95000, 1}},
      {"fewer shots only", {610, 70, 100000, true, true}, true, {4, 700, 70, 95000, 1}},
      {"faster only", {620, 99, 90000, true, true}, true, {5, 700, 70, 90000, 1}},
      {"repaired, nothing bought: two stars", {600, 99, 99000, false, true}, true, {6, 700, 70, 90000, 2}},
      {"bought and repaired again: stars stay", {900, 99, 99000, true, true}, true, {7, 900, 70, 90000, 2}},
      {"neither: three stars", {650, 75, 91000, false, false}, true, {8, 900, 70, 90000, 3}},
      {"equal to the bests is no record", {900, 70, 90000, false, false}, false, {9, 900, 70, 90000, 3}},
  };
  LevelRecords records;
  for (const ClaimRow& row : rows) {
    EXPECT_EQ(records.recordClaim(3, row.attempt), row.beaten) << row.what;
    const LevelRecord& got = records.level(3);
    EXPECT_EQ(got.claims, row.after.claims) << row.what;
    EXPECT_EQ(got.bestScore, row.after.bestScore) << row.what;
    EXPECT_EQ(got.fewestShots, row.after.fewestShots) << row.what;
    EXPECT_EQ(got.fastestMs, row.after.fastestMs) << row.what;
    EXPECT_EQ(got.stars, row.after.stars) << row.what;
  }
  EXPECT_EQ(records.level(2).claims, 0) << "other levels untouched";
  EXPECT_EQ(records.highestClaimed(), 3);
  EXPECT_EQ(records.totalBestScore(), 900);
  EXPECT_EQ(records.totalStars(), 3);
}

TEST(LevelRecords, ALevelOutsideTheGameChangesNothing) {
  LevelRecords records;
  EXPECT_FALSE(records.recordClaim(0, {700, 50, 1000, false, false}));
  EXPECT_FALSE(records.recordClaim(LevelCount + 1, {700, 50, 1000, false, false}));
  EXPECT_EQ(records, LevelRecords{});
  EXPECT_EQ(records.highestClaimed(), 0);
}

TEST(RecordsFile, KeepsTheRecordsInFixedBytesAndReadsThemBack) {
  TempDir dir;
  const std::string path = recordsFilePath(dir.file("quandrel.ini"));
  EXPECT_EQ(path, dir.file("quandrel-records.ini"));
  LevelRecords records;
  records.recordClaim(1, {650, 80, 95250, false, true});
  records.recordClaim(10, {1200, 100, 61000, true, false});
  ASSERT_TRUE(saveRecords(path, records));
  const std::string expected =
      "[format]\nversion=1\n\n"
      "[level1]\nclaims=1\nbestScore=650\nfewestShots=80\nfastestMs=95250\nstars=2\n\n"
      "[level10]\nclaims=1\nbestScore=1200\nfewestShots=100\nfastestMs=61000\nstars=1\n";
  EXPECT_EQ(readFile(path), Bytes(expected.begin(), expected.end()));
  EXPECT_EQ(loadRecords(path), records);

  const std::string table = recordsTable(records);
  EXPECT_NE(table.find("    1       1         650            80    95.2s   2/3\n"), std::string::npos) << table;
  EXPECT_NE(table.find("    2       0           -             -        -      -\n"), std::string::npos) << table;
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + LevelCount);
}

TEST(RecordsFile, UnusableValuesSetTheFileAsideAndGiveEmptyRecords) {
  const std::vector<std::string> levelSections{
      "claims=0\nbestScore=1\nfewestShots=1\nfastestMs=1\nstars=1\n",
      "claims=1\nbestScore=1\nfewestShots=1\nfastestMs=1\nstars=4\n",
      "claims=1\nbestScore=1\nfewestShots=1\nstars=1\n",
  };
  for (const std::string& level : levelSections) {
    TempDir dir;
    const std::string path = dir.file("quandrel-records.ini");
    const std::string text = "[format]\nversion=1\n[level2]\n" + level;
    writeFile(path, Bytes(text.begin(), text.end()));
    LevelRecords records;
    EXPECT_EQ(readRecords(path, records), progress::ReadResult::Damaged) << level;
    EXPECT_EQ(loadRecords(path), LevelRecords{}) << level;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"quandrel-records.ini.bad"}) << level;
  }
}

}  // namespace
