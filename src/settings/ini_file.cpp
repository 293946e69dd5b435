// File input and output of the INI module. A change never writes into the old file: the new
// bytes go to a temporary file that replaces the old one only once it is complete.
#include "settings/ini_file.hpp"

namespace ini {

namespace {

bool hasMark(const uint8_t* bytes) { return bytes[0] == 0xFF && bytes[1] == 0xFE; }

}  // namespace

std::optional<std::vector<uint8_t>> loadFile(const std::string& path, FileAccess access) {
  FileSystem& files = fileSystem();
  if (files.lookup(path) != PathKind::File) return std::nullopt;
  const int file = files.open(path, access);
  if (file < 0) return std::nullopt;
  uint64_t size = 0;
  std::vector<uint8_t> bytes;
  bool read = files.size(file, size) && size >= 2 && size <= MaxFileBytes;
  if (read) {
    bytes.resize(static_cast<size_t>(size));
    read = files.read(file, bytes.data(), bytes.size());
  }
  // Nothing was written through this handle, so a failing close loses nothing.
  files.close(file);
  if (!read || !hasMark(bytes.data())) return std::nullopt;
  return bytes;
}

Mark markOf(const std::string& path) {
  FileSystem& files = fileSystem();
  if (files.lookup(path) != PathKind::File) return Mark::Unknown;
  const int file = files.open(path, FileAccess::Read);
  if (file < 0) return Mark::Unknown;
  uint64_t size = 0;
  uint8_t mark[2] = {};
  Mark result = Mark::Unknown;
  if (files.size(file, size)) {
    if (size < sizeof mark) {
      result = Mark::Absent;
    } else if (files.read(file, mark, sizeof mark)) {
      result = hasMark(mark) ? Mark::Present : Mark::Absent;
    }
  }
  files.close(file);
  return result;
}

bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes, bool keepPermissions) {
  FileSystem& files = fileSystem();
  std::string tempPath;
  const int file = files.createTemporary(path, tempPath);
  if (file < 0) return false;
  bool written = (!keepPermissions || files.copyPermissions(path, file)) && files.write(file, bytes.data(), bytes.size()) &&
                 files.flush(file);
  written = files.close(file) && written;
  written = written && files.rename(tempPath, path);
  if (!written) files.remove(tempPath);
  return written;
}

}  // namespace ini
