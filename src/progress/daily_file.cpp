// The days played as the sections of a progress file.
#include "progress/daily_file.hpp"

#include <charconv>
#include <limits>

#include "rules/level_table.hpp"
#include "runs/run_token.hpp"

namespace {

constexpr const char* DailyFileName = "quandrel-daily.ini";
constexpr std::string_view SectionPrefix = "day";

std::string daySection(int32_t day) { return std::string(SectionPrefix) + std::to_string(day); }

template <typename Number>
bool readNumber(const std::string& text, Number minimum, Number maximum, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  return failure == std::errc() && stop == end && value >= minimum && value <= maximum;
}

template <typename Number>
bool readKey(const progress::ProgressDocument::Section& section, const char* key, Number minimum, Number maximum,
             Number& value) {
  for (const auto& entry : section.entries) {
    if (entry.key == key) return readNumber(entry.value, minimum, maximum, value);
  }
  return false;
}

bool readSwitch(const progress::ProgressDocument::Section& section, const char* key, bool& value) {
  int32_t number = 0;
  if (!readKey(section, key, int32_t{0}, int32_t{1}, number)) return false;
  value = number == 1;
  return true;
}

// One day's section; false when it holds values no day can have.
bool dayFromSection(const progress::ProgressDocument::Section& section, runs::DailyHistory& history) {
  if (section.name.substr(0, SectionPrefix.size()) != SectionPrefix) return true;  // not ours: kept unread
  int32_t day = 0;
  if (!readNumber(section.name.substr(SectionPrefix.size()), int32_t{1}, std::numeric_limits<int32_t>::max(), day))
    return false;
  runs::DailyDay entry;
  if (!readSwitch(section, "official", entry.official) || !readSwitch(section, "finished", entry.finished))
    return false;
  if (entry.finished) {
    runs::RunResult& result = entry.result;
    result.day = day;
    constexpr int32_t Lowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t Highest = std::numeric_limits<int32_t>::max();
    if (!readKey(section, "level", FirstLevel, LevelCount, result.level) ||
        !readKey(section, "score", Lowest, Highest, result.score) ||
        !readKey(section, "shots", int32_t{0}, Highest, result.shots) ||
        !readKey(section, "timeMs", uint32_t{0}, std::numeric_limits<uint32_t>::max(), result.timeMs) ||
        !readKey(section, "stars", int32_t{0}, int32_t{3}, result.stars) || !readSwitch(section, "claimed", result.claimed))
      return false;
    for (const auto& item : section.entries) {
      if (item.key == "run") entry.token = item.value;
    }
    runs::Run run;
    if (runs::decodeRunToken(entry.token, run) != runs::RunRefusal::Accepted) return false;
  }
  history.days[day] = entry;
  return true;
}

}  // namespace

std::string dailyFilePath(const std::string& settingsPath) {
  const size_t slash = settingsPath.rfind('/');
  return (slash == std::string::npos ? std::string() : settingsPath.substr(0, slash + 1)) + DailyFileName;
}

progress::ReadResult readDailyHistory(const std::string& path, runs::DailyHistory& history) {
  progress::ProgressDocument document;
  const progress::ReadResult result = progress::readProgressFile(path, DailyFormatVersion, document);
  if (result != progress::ReadResult::Read) return result;
  runs::DailyHistory read;
  for (const auto& section : document.sections) {
    if (!dayFromSection(section, read)) return progress::ReadResult::Damaged;
  }
  history = read;
  return result;
}

runs::DailyHistory loadDailyHistory(const std::string& path) {
  runs::DailyHistory history;
  const progress::ReadResult result = readDailyHistory(path, history);
  if (result != progress::ReadResult::Read && result != progress::ReadResult::Missing)
    progress::setAsideProgressFile(path, result, "daily results");
  return history;
}

bool saveDailyHistory(const std::string& path, const runs::DailyHistory& history) {
  progress::ProgressDocument document;
  for (const auto& [day, entry] : history.days) {
    const std::string section = daySection(day);
    document.set(section, "official", entry.official ? "1" : "0");
    document.set(section, "finished", entry.finished ? "1" : "0");
    if (!entry.finished) continue;
    const runs::RunResult& result = entry.result;
    document.set(section, "level", std::to_string(result.level));
    document.set(section, "score", std::to_string(result.score));
    document.set(section, "shots", std::to_string(result.shots));
    document.set(section, "timeMs", std::to_string(result.timeMs));
    document.set(section, "stars", std::to_string(result.stars));
    document.set(section, "claimed", result.claimed ? "1" : "0");
    document.set(section, "run", entry.token);
  }
  return progress::saveProgressFile(path, document, DailyFormatVersion);
}
