// Configuration directory lookup.
#include "platform/services/config_directory.hpp"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace services {

namespace {

std::filesystem::path homeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/')
    return user->pw_dir;
  return {};
}

}  // namespace

std::filesystem::path userConfigDirectory() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') return config;
  const std::filesystem::path home = homeDirectory();
  return home.empty() ? home : home / ".config";
}

std::filesystem::path applicationConfigDirectory(std::string_view name) {
  const std::filesystem::path config = userConfigDirectory();
  if (config.empty()) return config;
  std::string folder(name);
  std::transform(folder.begin(), folder.end(), folder.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return config / folder;
}

}  // namespace services
