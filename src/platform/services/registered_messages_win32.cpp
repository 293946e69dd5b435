// Registered window messages on Windows: the system's own table, so that every
// program of the session gets the same number for a name.
#include <windows.h>

#include <string>

#include "platform/services/registered_messages.hpp"

namespace services {

std::uint32_t registerWindowMessage(std::u16string_view name) {
  if (name.empty()) return 0;
  const std::wstring wide(name.begin(), name.end());
  return ::RegisterWindowMessageW(wide.c_str());
}

}  // namespace services
