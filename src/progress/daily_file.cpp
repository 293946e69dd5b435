// The days played as the sections of a progress file.
#include "progress/daily_file.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "rules/level_table.hpp"
#include "runs/run_token.hpp"

namespace {

constexpr const char* DailyFileName = "quandrel-daily.ini";
constexpr std::string_view SectionPrefix = "day";
constexpr std::string_view PlayerSection = "player";
// By PostState; None is written as no key.
constexpr std::array<std::string_view, 4> PostStateNames = {"", "waiting", "taken", "refused"};

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

const std::string* valueOf(const progress::ProgressDocument::Section& section, std::string_view key) {
  for (const auto& entry : section.entries) {
    if (entry.key == key) return &entry.value;
  }
  return nullptr;
}

bool readSwitch(const progress::ProgressDocument::Section& section, const char* key, bool& value) {
  int32_t number = 0;
  if (!readKey(section, key, int32_t{0}, int32_t{1}, number)) return false;
  value = number == 1;
  return true;
}

bool postFromSection(const progress::ProgressDocument::Section& section, runs::PostRecord& post);

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
    if (const std::string* token = valueOf(section, "run")) entry.token = *token;
    runs::Run run;
    if (runs::decodeRunToken(entry.token, run) != runs::RunRefusal::Accepted) return false;
    if (!postFromSection(section, entry.post)) return false;
  } else if (valueOf(section, "post") != nullptr) {
    return false;  // only a finished official run goes on the leaderboard
  }
  history.days[day] = entry;
  return true;
}

// The day's post, if any: its state, and what the leaderboard said of it.
bool postFromSection(const progress::ProgressDocument::Section& section, runs::PostRecord& post) {
  const std::string* state = valueOf(section, "post");
  if (state == nullptr) return true;
  const auto named = std::find(PostStateNames.begin() + 1, PostStateNames.end(), *state);
  if (named == PostStateNames.end()) return false;
  post.state = static_cast<runs::PostState>(named - PostStateNames.begin());
  if (post.state == runs::PostState::Taken) {
    constexpr int32_t Most = std::numeric_limits<int32_t>::max();
    if (!readKey(section, "rank", int32_t{0}, Most, post.rank) || !readKey(section, "of", post.rank, Most, post.of) ||
        !readKey(section, "percentile", int32_t{0}, int32_t{100}, post.percentile))
      return false;
    if (const std::string* run = valueOf(section, "postedRun")) post.run = *run;
  }
  if (post.state == runs::PostState::Refused) {
    if (const std::string* refusal = valueOf(section, "refusal")) post.refusal = *refusal;
  }
  return true;
}

// The player's section: a well-formed id and a name in the word lists, or nothing.
bool playerFromSection(const progress::ProgressDocument::Section& section, runs::Player& player) {
  const std::string* id = valueOf(section, "id");
  runs::PlayerName name;
  if (id == nullptr || !runs::isPlayerId(*id) ||
      !readKey(section, "colour", int32_t{0}, runs::NameColourCount - 1, name.colour) ||
      !readKey(section, "creature", int32_t{0}, runs::NameCreatureCount - 1, name.creature))
    return false;
  player = runs::Player{*id, name};
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
    const bool usable = section.name == PlayerSection ? playerFromSection(section, read.player)
                                                      : dayFromSection(section, read);
    if (!usable) return progress::ReadResult::Damaged;
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
  if (runs::isPlayerId(history.player.id)) {
    const std::string section(PlayerSection);
    document.set(section, "id", history.player.id);
    document.set(section, "colour", std::to_string(history.player.name.colour));
    document.set(section, "creature", std::to_string(history.player.name.creature));
  }
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
    const runs::PostRecord& post = entry.post;
    if (post.state == runs::PostState::None) continue;
    document.set(section, "post", PostStateNames[static_cast<size_t>(post.state)]);
    if (post.state == runs::PostState::Taken) {
      document.set(section, "rank", std::to_string(post.rank));
      document.set(section, "of", std::to_string(post.of));
      document.set(section, "percentile", std::to_string(post.percentile));
      if (!post.run.empty()) document.set(section, "postedRun", post.run);
    }
    if (post.state == runs::PostState::Refused && !post.refusal.empty()) document.set(section, "refusal", post.refusal);
  }
  return progress::saveProgressFile(path, document, DailyFormatVersion);
}
