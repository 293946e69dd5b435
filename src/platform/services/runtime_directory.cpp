// Runtime directory lookup.
#include "platform/services/runtime_directory.hpp"

#include <cstdlib>
#include <system_error>

namespace services {

std::filesystem::path runtimeDirectory() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') return runtime;
  std::error_code error;
  std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (error || temporary.empty()) return "/tmp";
  return temporary;
}

}  // namespace services
