// Reading an INI file whole and replacing it in one step, through the platform's file operations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/file_system.hpp"

namespace ini {

// Files above this size are refused rather than read into memory.
constexpr uint64_t MaxFileBytes = 1024 * 1024;

// The whole file when it is a regular file of 2 bytes up to MaxFileBytes that opens with
// `access` and begins with the UTF-16LE mark FF FE.
std::optional<std::vector<uint8_t>> loadFile(const std::string& path, FileAccess access);

// Whether the file's first two bytes are the mark.
bool startsWithMark(const std::string& path);

// Writes the bytes to a new file beside `path`, flushes it, gives it the old file's
// permissions and renames it over `path`. On any failure the old file stays as it was.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace ini
