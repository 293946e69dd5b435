// The options as a progress file's section, and as JSON for the dump.
#include "progress/game_options.hpp"

#include <algorithm>
#include <optional>

namespace {

constexpr const char* OptionsFileName = "quandrel-options.ini";
constexpr std::string_view OptionsSection = "options";
constexpr size_t LongestLanguageCode = 16;

// A language code as the catalogues are named: "en", "pt", "zh_TW".
bool plausibleLanguage(std::string_view code) {
  return !code.empty() && code.size() <= LongestLanguageCode &&
         std::all_of(code.begin(), code.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; });
}

std::optional<bool> onOff(std::string_view value) {
  if (value == "on") return true;
  if (value == "off") return false;
  return std::nullopt;
}

// The options of a read document; false when a value is unusable.
bool optionsFromDocument(const progress::ProgressDocument& document, GameOptions& options) {
  GameOptions read;
  if (const std::string* value = document.value(OptionsSection, "timeMode")) {
    const std::optional<TimeMode> mode = timeModeFromName(*value);
    if (!mode) return false;
    read.timeMode = *mode;
  }
  if (const std::string* value = document.value(OptionsSection, "vibration")) {
    const std::optional<bool> on = onOff(*value);
    if (!on) return false;
    read.vibration = *on;
  }
  if (const std::string* value = document.value(OptionsSection, "speech")) {
    const std::optional<bool> on = onOff(*value);
    if (!on) return false;
    read.speech = *on;
  }
  if (const std::string* value = document.value(OptionsSection, "language")) {
    if (*value != AutomaticLanguage && !plausibleLanguage(*value)) return false;
    read.language = *value;
  }
  options = std::move(read);
  return true;
}

}  // namespace

std::string optionsFilePath(const std::string& settingsPath) {
  return progress::progressFilePath(settingsPath, OptionsFileName);
}

progress::ReadResult readOptions(const std::string& path, GameOptions& options) {
  return progress::readProgressSections(path, OptionsFormatVersion, [&options](const progress::ProgressDocument& d) {
    return optionsFromDocument(d, options);
  });
}

GameOptions loadOptions(const std::string& path) {
  GameOptions options;
  progress::loadProgressSections(path, OptionsFormatVersion, "options",
                                 [&options](const progress::ProgressDocument& d) { return optionsFromDocument(d, options); });
  return options;
}

bool saveOptions(const std::string& path, const GameOptions& options) {
  progress::ProgressDocument document;
  document.set(OptionsSection, "timeMode", timeModeName(options.timeMode));
  document.set(OptionsSection, "vibration", options.vibration ? "on" : "off");
  document.set(OptionsSection, "language", options.language);
  document.set(OptionsSection, "speech", options.speech ? "on" : "off");
  return progress::saveProgressFile(path, document, OptionsFormatVersion);
}

std::string optionsJson(const GameOptions& options) {
  return std::string("{\"timeMode\":\"") + std::string(timeModeName(options.timeMode)) +
         "\",\"vibration\":" + (options.vibration ? "true" : "false") + ",\"language\":\"" +
         options.language + "\",\"speech\":" + (options.speech ? "true" : "false") + "}";
}
