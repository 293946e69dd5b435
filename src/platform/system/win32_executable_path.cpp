// The executable's path from GetModuleFileNameW, read with a buffer that grows to fit.
#include <windows.h>

#include <vector>

#include "platform/system/executable_path.hpp"

std::u16string executablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // A path that fills the buffer was cut: try again with more room.
    if (length < buffer.size()) {
      std::u16string path(buffer.begin(), buffer.begin() + length);
      for (char16_t& c : path) {
        if (c == u'\\') c = u'/';
      }
      return path;
    }
    buffer.resize(buffer.size() * 2);
  }
}
