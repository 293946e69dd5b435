// The player's options beyond the designed settings file: the time bar's mode,
// vibration, the language and speech, kept in "quandrel-options.ini" beside it.
#pragma once

#include <string>
#include <string_view>

#include "progress/progress_file.hpp"
#include "rules/time_mode.hpp"

constexpr int OptionsFormatVersion = 1;
// The language option's value for "the environment's choice".
inline constexpr std::string_view AutomaticLanguage = "auto";

struct GameOptions {
  TimeMode timeMode = TimeMode::Normal;
  bool vibration = true;
  std::string language{AutomaticLanguage};  // a language code, or "auto"
  bool speech = false;  // the host speaks the announcements

  bool operator==(const GameOptions&) const = default;
};

// The options file in the folder of the settings file at settingsPath.
std::string optionsFilePath(const std::string& settingsPath);

// Reads the options without changing anything on disk; `options` is set only
// on Read. A value out of its range makes the file Damaged; a missing key
// keeps its default and an unknown one is passed over.
progress::ReadResult readOptions(const std::string& path, GameOptions& options);
// The options of the file, or the defaults when there is none; a file that
// cannot be used is set aside (progress_file.hpp).
GameOptions loadOptions(const std::string& path);
bool saveOptions(const std::string& path, const GameOptions& options);

// The dump's field: {"timeMode":..,"vibration":..,"language":..,"speech":..}.
std::string optionsJson(const GameOptions& options);
