// The program's UTF-16 and UTF-8 path texts as std::filesystem paths and back.
// POSIX paths are bytes (UTF-8, any byte kept through utf.hpp's round trip);
// Windows paths are UTF-16 and take the text as it is.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/system/utf.hpp"

inline constexpr bool WidePaths = sizeof(std::filesystem::path::value_type) == sizeof(char16_t);

inline std::filesystem::path filesystemPath(std::u16string_view text) {
  if constexpr (WidePaths) return std::filesystem::path(std::wstring(text.begin(), text.end()));
  else return std::filesystem::path(utf8FromUtf16(text));
}

inline std::filesystem::path filesystemPathFromUtf8(std::string_view text) {
  return filesystemPath(utf16FromUtf8(text));
}

// With '/' between the parts on every system.
inline std::u16string utf16FromPath(const std::filesystem::path& path) {
  if constexpr (WidePaths) {
    const auto wide = path.generic_wstring();
    return std::u16string(wide.begin(), wide.end());
  } else {
    return utf16FromUtf8(path.generic_string());
  }
}
