// Choosing the settings file's place, and making the configuration directory.
#include "settings/settings_location.hpp"

#include <filesystem>
#include <system_error>

#include "platform/services/config_directory.hpp"
#include "platform/system/path_text.hpp"

namespace {

constexpr const char16_t* SettingsFileName = u"quandrel.ini";
constexpr const char* ApplicationName = "Quandrel";

}  // namespace

bool runsInstalled(const std::u16string& exeDirectory) {
  if (exeDirectory.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(filesystemPath(exeDirectory) / InstalledMarkerName, error);
}

std::u16string settingsFileLocation(const std::u16string& exeDirectory) {
  if (!runsInstalled(exeDirectory)) {
    return exeDirectory.empty() ? std::u16string() : exeDirectory + u"/" + SettingsFileName;
  }
  const std::filesystem::path config = services::applicationConfigDirectory(ApplicationName);
  if (config.empty()) return {};
  return utf16FromPath(config) + u"/" + SettingsFileName;
}

std::u16string settingsFilePath(const std::u16string& exeDirectory) {
  const std::u16string path = settingsFileLocation(exeDirectory);
  if (path.empty() || !runsInstalled(exeDirectory)) return path;
  // Made when missing; when it cannot be made, the settings file cannot be
  // created there either and the game says so.
  std::error_code error;
  std::filesystem::create_directories(filesystemPath(path).parent_path(), error);
  return path;
}
