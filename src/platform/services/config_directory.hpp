// The directory for this user's configuration files.
#pragma once

#include <filesystem>
#include <string_view>

namespace services {

// $XDG_CONFIG_HOME when it is set to an absolute path, else .config in the home
// directory ($HOME, or the user database's entry); empty when no home is known.
std::filesystem::path userConfigDirectory();

// The folder of the configuration files of the application called `name`, in
// this system's habit: the name in lower case in userConfigDirectory() here,
// %APPDATA%\<name> on Windows. Empty when no place is known.
std::filesystem::path applicationConfigDirectory(std::string_view name);

}  // namespace services
