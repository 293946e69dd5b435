// The records as the sections of a progress file, and as a table for the terminal.
#include "progress/records_file.hpp"

#include <charconv>
#include <cstdio>
#include <limits>

namespace {

constexpr const char* RecordsFileName = "quandrel-records.ini";

std::string levelSection(int32_t level) { return "level" + std::to_string(level); }

// A whole number from minimum up; false for anything else.
template <typename Number>
bool readNumber(const progress::ProgressDocument& document, const std::string& section, const char* key,
                Number minimum, Number& value) {
  const std::string* text = document.value(section, key);
  if (text == nullptr) return false;
  const char* end = text->data() + text->size();
  const auto [stop, failure] = std::from_chars(text->data(), end, value);
  return failure == std::errc() && stop == end && value >= minimum;
}

// The records of a read document; false when a level's section holds unusable values.
bool recordsFromDocument(const progress::ProgressDocument& document, LevelRecords& records) {
  LevelRecords read;
  for (int32_t level = FirstLevel; level <= LevelCount; ++level) {
    const std::string section = levelSection(level);
    if (document.value(section, "claims") == nullptr) continue;
    LevelRecord& record = read.level(level);
    if (!readNumber(document, section, "claims", int32_t{1}, record.claims) ||
        !readNumber(document, section, "bestScore", std::numeric_limits<int32_t>::min(), record.bestScore) ||
        !readNumber(document, section, "fewestShots", int32_t{0}, record.fewestShots) ||
        !readNumber(document, section, "fastestMs", uint32_t{0}, record.fastestMs) ||
        !readNumber(document, section, "stars", int32_t{1}, record.stars) || record.stars > MaxStars) {
      return false;
    }
  }
  records = read;
  return true;
}

}  // namespace

std::string recordsFilePath(const std::string& settingsPath) {
  return progress::progressFilePath(settingsPath, RecordsFileName);
}

progress::ReadResult readRecords(const std::string& path, LevelRecords& records) {
  return progress::readProgressSections(path, RecordsFormatVersion, [&records](const progress::ProgressDocument& d) {
    return recordsFromDocument(d, records);
  });
}

LevelRecords loadRecords(const std::string& path) {
  LevelRecords records;
  progress::loadProgressSections(path, RecordsFormatVersion, "records",
                                 [&records](const progress::ProgressDocument& d) { return recordsFromDocument(d, records); });
  return records;
}

bool saveRecords(const std::string& path, const LevelRecords& records) {
  progress::ProgressDocument document;
  for (int32_t level = FirstLevel; level <= LevelCount; ++level) {
    const LevelRecord& record = records.level(level);
    if (record.claims == 0) continue;
    const std::string section = levelSection(level);
    document.set(section, "claims", std::to_string(record.claims));
    document.set(section, "bestScore", std::to_string(record.bestScore));
    document.set(section, "fewestShots", std::to_string(record.fewestShots));
    document.set(section, "fastestMs", std::to_string(record.fastestMs));
    document.set(section, "stars", std::to_string(record.stars));
  }
  return progress::saveProgressFile(path, document, RecordsFormatVersion);
}

std::string recordsTable(const LevelRecords& records) {
  std::string table = "Level  Claims  Best score  Fewest shots  Fastest  Stars\n";
  char line[96];
  for (int32_t level = FirstLevel; level <= LevelCount; ++level) {
    const LevelRecord& record = records.level(level);
    if (record.claims == 0) {
      std::snprintf(line, sizeof line, "%5d  %6d  %10s  %12s  %7s  %5s\n", level, 0, "-", "-", "-", "-");
    } else {
      char time[24];
      std::snprintf(time, sizeof time, "%u.%01us", record.fastestMs / 1000, record.fastestMs % 1000 / 100);
      std::snprintf(line, sizeof line, "%5d  %6d  %10d  %12d  %7s  %2d/%d\n", level, record.claims,
                    record.bestScore, record.fewestShots, time, record.stars, MaxStars);
    }
    table += line;
  }
  return table;
}
