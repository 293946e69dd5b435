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

// Whether a file begins with the mark; Unknown when it cannot be read to tell.
enum class Mark { Present, Absent, Unknown };
Mark markOf(const std::string& path);

// Writes the bytes to a new file beside `path`, flushes it and renames it over `path`; with
// keepPermissions the new file first takes the old one's. On any failure the old file stays as it was.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes, bool keepPermissions);

}  // namespace ini
