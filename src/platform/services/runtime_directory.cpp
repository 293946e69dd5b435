// Runtime directory lookup.
#include "platform/services/runtime_directory.hpp"

#include <cstdlib>
#include <system_error>

namespace services {

namespace {

const char* userRuntimeDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime != nullptr && runtime[0] == '/' ? runtime : nullptr;
}

}  // namespace

bool runtimeDirectoryIsPerUser() { return userRuntimeDirectory() != nullptr; }

std::filesystem::path runtimeDirectory() {
  if (const char* runtime = userRuntimeDirectory()) return runtime;
  std::error_code error;
  std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (error || temporary.empty()) return "/tmp";
  return temporary;
}

}  // namespace services
