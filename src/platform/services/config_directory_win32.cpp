// Configuration folders on Windows: the user's roaming application data (%APPDATA%).
#include <windows.h>

#include <shlobj.h>

#include <string>

#include "platform/services/config_directory.hpp"

namespace services {

std::filesystem::path userConfigDirectory() {
  PWSTR folder = nullptr;
  std::filesystem::path path;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder))) path = folder;
  ::CoTaskMemFree(folder);
  return path;
}

std::filesystem::path applicationConfigDirectory(std::string_view name) {
  const std::filesystem::path config = userConfigDirectory();
  return config.empty() ? config : config / std::wstring(name.begin(), name.end());
}

}  // namespace services
