// The player's options beyond the designed settings file: the time bar's mode,
// vibration and the language, and their text in quandrel-options.ini.
#pragma once

#include <string>
#include <string_view>

#include "rules/time_mode.hpp"

// The language option's value for "the environment's choice".
inline constexpr std::string_view AutomaticLanguage = "auto";

struct GameOptions {
  TimeMode timeMode = TimeMode::Normal;
  bool vibration = true;
  std::string language{AutomaticLanguage};  // a language code, or "auto"

  bool operator==(const GameOptions&) const = default;
};

// The options file's text (UTF-8, LF line ends, a format version first).
std::string optionsText(const GameOptions& options);
// Reads `text` into `options`. False, leaving `options` as they were, for a
// text that is not an options file of this version: not UTF-8, a line that
// is not "key=value", no or another version, a value out of its range. Keys
// it does not know are passed over.
bool readOptionsText(std::string_view text, GameOptions& options);

// The dump's field: {"timeMode":..,"vibration":..,"language":..}.
std::string optionsJson(const GameOptions& options);
