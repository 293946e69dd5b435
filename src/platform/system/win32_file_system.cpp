// The file operations on Windows, through the wide-character calls so that any
// folder name works. Handles live in a table; the program sees their indices.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/system/file_system.hpp"
#include "platform/system/utf.hpp"

namespace {

std::wstring widePath(const std::string& utf8) {
  const std::u16string wide = utf16FromUtf8(utf8);
  return std::wstring(wide.begin(), wide.end());
}

class Win32FileSystem final : public FileSystem {
 public:
  PathKind lookup(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesW(widePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = ::GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::Missing : PathKind::Unknown;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Directory;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
    return PathKind::File;
  }

  bool clearReadOnly(const std::string& path) override {
    const std::wstring wide = widePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) return true;
    return ::SetFileAttributesW(wide.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}) != 0;
  }

  int open(const std::string& path, FileAccess access) override {
    const DWORD rights = access == FileAccess::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    return keep(::CreateFileW(widePath(path).c_str(), rights, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  int createTemporary(const std::string& besidePath, std::string& tempPath) override {
    // A short hidden name in the same folder, so the final rename stays on one volume.
    const size_t slash = besidePath.find_last_of("/\\");
    const std::string directory = slash == std::string::npos ? "" : besidePath.substr(0, slash + 1);
    const std::string stem = directory + ".quandrel-" + std::to_string(::GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = stem + std::to_string(nextTemporary++) + ".tmp";
      const HANDLE file = ::CreateFileW(widePath(candidate).c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        tempPath = candidate;
        return keep(file);
      }
      if (::GetLastError() != ERROR_FILE_EXISTS) return -1;
    }
    return -1;
  }

  bool size(int file, uint64_t& bytes) override {
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(handle(file), &length) || length.QuadPart < 0) return false;
    bytes = static_cast<uint64_t>(length.QuadPart);
    return true;
  }

  bool read(int file, void* buffer, size_t bytes) override {
    auto* at = static_cast<char*>(buffer);
    while (bytes > 0) {
      DWORD done = 0;
      const DWORD chunk = bytes > MaxChunk ? MaxChunk : static_cast<DWORD>(bytes);
      if (!::ReadFile(handle(file), at, chunk, &done, nullptr) || done == 0) return false;
      at += done;
      bytes -= done;
    }
    return true;
  }

  bool write(int file, const void* data, size_t bytes) override {
    const auto* at = static_cast<const char*>(data);
    while (bytes > 0) {
      DWORD done = 0;
      const DWORD chunk = bytes > MaxChunk ? MaxChunk : static_cast<DWORD>(bytes);
      if (!::WriteFile(handle(file), at, chunk, &done, nullptr) || done == 0) return false;
      at += done;
      bytes -= done;
    }
    return true;
  }

  // Windows files carry no permission bits: a new file takes its folder's
  // access rules, which are the old file's. Only the old file must exist.
  bool copyPermissions(const std::string& fromPath, int file) override {
    return handle(file) != INVALID_HANDLE_VALUE && lookup(fromPath) == PathKind::File;
  }

  bool flush(int file) override { return ::FlushFileBuffers(handle(file)) != 0; }

  bool close(int file) override {
    const HANDLE open = handle(file);
    if (open == INVALID_HANDLE_VALUE) return false;
    handles[static_cast<size_t>(file)] = INVALID_HANDLE_VALUE;
    return ::CloseHandle(open) != 0;
  }

  bool rename(const std::string& from, const std::string& to) override {
    return ::MoveFileExW(widePath(from).c_str(), widePath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool remove(const std::string& path) override { return ::DeleteFileW(widePath(path).c_str()) != 0; }

 private:
  static constexpr size_t MaxChunk = 1u << 30;

  int keep(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE) return -1;
    for (size_t slot = 0; slot < handles.size(); ++slot) {
      if (handles[slot] == INVALID_HANDLE_VALUE) {
        handles[slot] = file;
        return static_cast<int>(slot);
      }
    }
    handles.push_back(file);
    return static_cast<int>(handles.size() - 1);
  }

  HANDLE handle(int file) const {
    if (file < 0 || static_cast<size_t>(file) >= handles.size()) return INVALID_HANDLE_VALUE;
    return handles[static_cast<size_t>(file)];
  }

  std::vector<HANDLE> handles;
  unsigned nextTemporary = 0;
};

}  // namespace

FileSystem& systemFileSystem() {
  static Win32FileSystem instance;
  return instance;
}
