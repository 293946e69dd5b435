// The settings record, kept in one section of an INI file.
#include "settings/game_settings.hpp"

#include <algorithm>
#include <utility>

#include "platform/system/executable_path.hpp"
#include "settings/ini.hpp"

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

// Empty when the system cannot tell where the executable is: the game then runs on the
// defaults and saves nothing.
std::u16string settingsBesideExecutable() {
  const std::u16string executable = executablePath();
  return executable.empty() ? std::u16string() : directoryOf(executable) + u"/quandrel.ini";
}

}  // namespace

std::u16string GetExeDirectory() { return directoryOf(executablePath()); }

GameSettings::GameSettings() : GameSettings(settingsBesideExecutable()) {}

GameSettings::GameSettings(std::u16string settingsPath) : filePath(std::move(settingsPath)) {
  IniEnsureFile(filePath.c_str());
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
  IniWriteInt(Section, LevelKey, level, filePath.c_str());
  IniWriteInt(Section, SoundKey, isSound ? 1 : 0, filePath.c_str());
  IniWriteInt(Section, MoveKey, isMove ? 1 : 0, filePath.c_str());
}
