// The settings the game keeps between runs: the level to continue at and the two switches.
#pragma once

#include <cstdint>
#include <string>

// Levels the continue command can start; a stored level is kept within 0..LastLevel.
constexpr int32_t LastLevel = 10;

// The directory of the running executable, without a trailing '/'.
std::u16string GetExeDirectory();

class GameSettings {
 public:
  // The file "quandrel.ini" beside the executable, or in the user's configuration
  // directory for an installed copy (settings_location.hpp).
  GameSettings();
  // The file at settingsPath, for a copy that keeps its settings elsewhere, and for tests.
  explicit GameSettings(std::u16string settingsPath);
  // Saves once more.
  ~GameSettings();
  GameSettings(const GameSettings&) = delete;
  GameSettings& operator=(const GameSettings&) = delete;

  void Load();
  void Save();

  std::u16string filePath;
  // The level the continue command resumes at: 0 (none yet, so level 1) or 1..LastLevel.
  int32_t level = 0;
  bool isSound = false;
  bool isMove = false;

 private:
  // A file that cannot be used or saved is reported once, not at every save.
  bool saveWarned = false;
};
