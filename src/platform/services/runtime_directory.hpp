// The directory for this user's per-session files (locks and the like).
#pragma once

#include <filesystem>

namespace services {

// $XDG_RUNTIME_DIR when it is set to an absolute path, else the system's temporary
// directory ($TMPDIR or /tmp).
std::filesystem::path runtimeDirectory();

// Whether runtimeDirectory() is this user's own ($XDG_RUNTIME_DIR), not a folder every user shares.
bool runtimeDirectoryIsPerUser();

}  // namespace services
