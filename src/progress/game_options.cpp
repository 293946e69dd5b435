// The options record's text form and its JSON for the dump.
#include "progress/game_options.hpp"

#include <algorithm>
#include <optional>

#include "platform/system/utf.hpp"

namespace {

constexpr std::string_view Header = "# Quandrel options";
constexpr std::string_view FormatVersion = "1";
constexpr size_t LongestLanguageCode = 16;

// A language code as the catalogues are named: "en", "pt", "zh_TW".
bool plausibleLanguage(std::string_view code) {
  return !code.empty() && code.size() <= LongestLanguageCode &&
         std::all_of(code.begin(), code.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '_'; });
}

std::optional<bool> onOff(std::string_view value) {
  if (value == "on") return true;
  if (value == "off") return false;
  return std::nullopt;
}

}  // namespace

std::string optionsText(const GameOptions& options) {
  std::string text;
  text += Header;
  text += "\nversion=";
  text += FormatVersion;
  text += "\ntimeMode=";
  text += timeModeName(options.timeMode);
  text += "\nvibration=";
  text += options.vibration ? "on" : "off";
  text += "\nlanguage=";
  text += options.language;
  text += '\n';
  return text;
}

bool readOptionsText(std::string_view text, GameOptions& options) {
  if (!isValidUtf8(text)) return false;
  GameOptions read;
  bool versionSeen = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key == "version") {
      if (value != FormatVersion) return false;
      versionSeen = true;
    } else if (key == "timeMode") {
      const std::optional<TimeMode> mode = timeModeFromName(value);
      if (!mode) return false;
      read.timeMode = *mode;
    } else if (key == "vibration") {
      const std::optional<bool> on = onOff(value);
      if (!on) return false;
      read.vibration = *on;
    } else if (key == "language") {
      if (value != AutomaticLanguage && !plausibleLanguage(value)) return false;
      read.language = std::string(value);
    }
  }
  if (!versionSeen) return false;
  options = std::move(read);
  return true;
}

std::string optionsJson(const GameOptions& options) {
  return std::string("{\"timeMode\":\"") + std::string(timeModeName(options.timeMode)) +
         "\",\"vibration\":" + (options.vibration ? "true" : "false") + ",\"language\":\"" +
         options.language + "\"}";
}
