// The directory for this user's configuration files.
#pragma once

#include <filesystem>

namespace services {

// $XDG_CONFIG_HOME when it is set to an absolute path, else .config in the home
// directory ($HOME, or the user database's entry); empty when no home is known.
std::filesystem::path userConfigDirectory();

}  // namespace services
