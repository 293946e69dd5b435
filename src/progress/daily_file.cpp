// The days played as the sections of a progress file.
#include "progress/daily_file.hpp"

#include <algorithm>
#include <array>
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

using Section = progress::ProgressDocument::Section;

bool postFromSection(const Section& section, runs::PostRecord& post);

// One day's section; false when it holds values no day can have.
bool dayFromSection(const Section& section, runs::DailyHistory& history) {
  if (section.name.substr(0, SectionPrefix.size()) != SectionPrefix) return true;  // not ours: kept unread
  int64_t number = 0;
  if (!progress::wholeNumber(std::string_view(section.name).substr(SectionPrefix.size()), 1,
                             std::numeric_limits<int32_t>::max(), number))
    return false;
  const int32_t day = static_cast<int32_t>(number);
  runs::DailyDay entry;
  if (!progress::switchIn(section, "official", entry.official) ||
      !progress::switchIn(section, "finished", entry.finished))
    return false;
  if (entry.finished) {
    runs::RunResult& result = entry.result;
    result.day = day;
    constexpr int32_t Lowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t Highest = std::numeric_limits<int32_t>::max();
    if (!progress::numberIn(section, "level", FirstLevel, LevelCount, result.level) ||
        !progress::numberIn(section, "score", Lowest, Highest, result.score) ||
        !progress::numberIn(section, "shots", int32_t{0}, Highest, result.shots) ||
        !progress::numberIn(section, "timeMs", uint32_t{0}, std::numeric_limits<uint32_t>::max(), result.timeMs) ||
        !progress::numberIn(section, "stars", int32_t{0}, int32_t{3}, result.stars) ||
        !progress::switchIn(section, "claimed", result.claimed))
      return false;
    if (const std::string* token = progress::valueIn(section, "run")) entry.token = *token;
    runs::Run run;
    if (runs::decodeRunToken(entry.token, run) != runs::RunRefusal::Accepted) return false;
    if (!postFromSection(section, entry.post)) return false;
  } else if (progress::valueIn(section, "post") != nullptr) {
    return false;  // only a finished official run goes on the leaderboard
  }
  history.days[day] = entry;
  return true;
}

// The day's post, if any: its state, and what the leaderboard said of it.
bool postFromSection(const Section& section, runs::PostRecord& post) {
  const std::string* state = progress::valueIn(section, "post");
  if (state == nullptr) return true;
  const auto named = std::find(PostStateNames.begin() + 1, PostStateNames.end(), *state);
  if (named == PostStateNames.end()) return false;
  post.state = static_cast<runs::PostState>(named - PostStateNames.begin());
  if (post.state == runs::PostState::Taken) {
    constexpr int32_t Most = std::numeric_limits<int32_t>::max();
    if (!progress::numberIn(section, "rank", int32_t{0}, Most, post.rank) ||
        !progress::numberIn(section, "of", post.rank, Most, post.of) ||
        !progress::numberIn(section, "percentile", int32_t{0}, int32_t{100}, post.percentile))
      return false;
    if (const std::string* run = progress::valueIn(section, "postedRun")) post.run = *run;
  }
  if (post.state == runs::PostState::Refused) {
    if (const std::string* refusal = progress::valueIn(section, "refusal")) post.refusal = *refusal;
  }
  return true;
}

// The player's section: a well-formed id and a name in the word lists, or nothing.
bool playerFromSection(const Section& section, runs::Player& player) {
  const std::string* id = progress::valueIn(section, "id");
  runs::PlayerName name;
  if (id == nullptr || !runs::isPlayerId(*id) ||
      !progress::numberIn(section, "colour", int32_t{0}, runs::NameColourCount - 1, name.colour) ||
      !progress::numberIn(section, "creature", int32_t{0}, runs::NameCreatureCount - 1, name.creature))
    return false;
  player = runs::Player{*id, name};
  return true;
}

// The history of a read document; false when a section holds values no game
// could have written.
bool historyFromDocument(const progress::ProgressDocument& document, runs::DailyHistory& history) {
  runs::DailyHistory read;
  for (const Section& section : document.sections) {
    const bool usable = section.name == PlayerSection ? playerFromSection(section, read.player)
                                                      : dayFromSection(section, read);
    if (!usable) return false;
  }
  history = read;
  return true;
}

}  // namespace

std::string dailyFilePath(const std::string& settingsPath) {
  return progress::progressFilePath(settingsPath, DailyFileName);
}

progress::ReadResult readDailyHistory(const std::string& path, runs::DailyHistory& history) {
  return progress::readProgressSections(path, DailyFormatVersion, [&history](const progress::ProgressDocument& d) {
    return historyFromDocument(d, history);
  });
}

runs::DailyHistory loadDailyHistory(const std::string& path) {
  runs::DailyHistory history;
  progress::loadProgressSections(path, DailyFormatVersion, "daily results",
                                 [&history](const progress::ProgressDocument& d) { return historyFromDocument(d, history); });
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
