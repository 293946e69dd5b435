// The settings record, kept in one section of an INI file.
#include "settings/game_settings.hpp"

#include <algorithm>
#include <utility>

#include "platform/services/debug_output.hpp"
#include "platform/system/executable_path.hpp"
#include "settings/ini.hpp"
#include "settings/settings_location.hpp"

namespace {

constexpr const char16_t* Section = u"QuandrelV1.2 By NX For @Meizu::M8";
constexpr const char16_t* LevelKey = u"CurrentLevel";
constexpr const char16_t* SoundKey = u"isSound";
constexpr const char16_t* MoveKey = u"isMove";

std::u16string directoryOf(const std::u16string& path) {
  const size_t slash = path.rfind(u'/');
  return slash == std::u16string::npos ? path : path.substr(0, slash);
}

// A switch is on when stored as 1, off for any other stored number, and on when it cannot be read.
bool readSwitch(const char16_t* key, const std::u16string& path) {
  int32_t stored = 0;
  if (!IniReadInt(Section, key, &stored, path.c_str())) return true;
  return stored == 1;
}

// One line on standard error: the player learns that progress is not being kept.
void warn(const std::u16string& what, const std::u16string& path) {
  const std::u16string line = u"quandrel: " + what + u" " + (path.empty() ? u"(no place for it)" : path);
  services::OutputDebugStringW(line.c_str());
}

}  // namespace

std::u16string GetExeDirectory() { return directoryOf(executablePath()); }

GameSettings::GameSettings() : GameSettings(settingsFilePath(GetExeDirectory())) {}

GameSettings::GameSettings(std::u16string settingsPath) : filePath(std::move(settingsPath)) {
  if (!IniEnsureFile(filePath.c_str())) {
    warn(u"cannot use the settings file, so progress will not be kept:", filePath);
    saveWarned = true;
  }
  Load();
}

GameSettings::~GameSettings() { Save(); }

void GameSettings::Load() {
  int32_t stored = 0;
  // A number outside 0..LastLevel names no level; keep the nearest one so that continue
  // never starts a level that does not exist.
  level = IniReadInt(Section, LevelKey, &stored, filePath.c_str()) ? std::clamp(stored, 0, LastLevel) : 0;
  isSound = readSwitch(SoundKey, filePath);
  isMove = readSwitch(MoveKey, filePath);
}

void GameSettings::Save() {
  bool saved = IniWriteInt(Section, LevelKey, level, filePath.c_str());
  saved = IniWriteInt(Section, SoundKey, isSound ? 1 : 0, filePath.c_str()) && saved;
  saved = IniWriteInt(Section, MoveKey, isMove ? 1 : 0, filePath.c_str()) && saved;
  if (!saved && !saveWarned) {
    warn(u"cannot save the settings file:", filePath);
    saveWarned = true;
  }
}
