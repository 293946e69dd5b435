// The executable's path from /proc/self/exe, read with a buffer that grows to fit.
#include "platform/system/executable_path.hpp"

#include <unistd.h>

#include <vector>

#include "platform/system/utf.hpp"

std::string symlinkTarget(const std::string& link) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) return {};
    // A target that fills the buffer may have been cut: try again with more room.
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

std::u16string executablePath() { return utf16FromUtf8(symlinkTarget("/proc/self/exe")); }
