// The records file "quandrel-records.ini", beside the settings file: one section per claimed
// level ("[level3]") with its claims, best score, fewest shots, fastest time and stars.
#pragma once

#include <string>

#include "progress/level_records.hpp"
#include "progress/progress_file.hpp"

constexpr int RecordsFormatVersion = 1;

// The records file in the folder of the settings file at settingsPath.
std::string recordsFilePath(const std::string& settingsPath);

// Reads the records without changing anything on disk; `records` is set only on Read.
progress::ReadResult readRecords(const std::string& path, LevelRecords& records);

// The records of the file, or empty records when there is none; a file that cannot be used is
// set aside (progress_file.hpp).
LevelRecords loadRecords(const std::string& path);

bool saveRecords(const std::string& path, const LevelRecords& records);

// The table `--records` prints: a heading, then one line per level.
std::string recordsTable(const LevelRecords& records);
