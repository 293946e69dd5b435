// The file operations on POSIX.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/system/file_system.hpp"

namespace {

class PosixFileSystem final : public FileSystem {
 public:
  PathKind lookup(const std::string& path) override {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
      return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Unknown;
    }
    if (S_ISREG(status.st_mode)) return PathKind::File;
    if (S_ISDIR(status.st_mode)) return PathKind::Directory;
    return PathKind::Other;
  }

  bool clearReadOnly(const std::string& path) override {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    if ((status.st_mode & S_IWUSR) != 0) return true;
    return ::chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR) == 0;
  }

  int open(const std::string& path, FileAccess access) override {
    const int flags = (access == FileAccess::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    int file;
    do {
      file = ::open(path.c_str(), flags);
    } while (file < 0 && errno == EINTR);
    return file;
  }

  int createTemporary(const std::string& besidePath, std::string& tempPath) override {
    // A short hidden name in the same directory, so the final rename stays on one file system.
    const size_t slash = besidePath.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : besidePath.substr(0, slash + 1);
    const std::string stem = directory + ".quandrel-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = stem + std::to_string(nextTemporary++) + ".tmp";
      const int file = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (file >= 0) {
        tempPath = candidate;
        return file;
      }
      if (errno != EEXIST && errno != EINTR) return -1;
    }
    return -1;
  }

  bool size(int file, uint64_t& bytes) override {
    struct stat status {};
    if (::fstat(file, &status) != 0 || status.st_size < 0) return false;
    bytes = static_cast<uint64_t>(status.st_size);
    return true;
  }

  bool read(int file, void* buffer, size_t bytes) override {
    auto* at = static_cast<char*>(buffer);
    while (bytes > 0) {
      const ssize_t done = ::read(file, at, bytes);
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) return false;
      at += done;
      bytes -= static_cast<size_t>(done);
    }
    return true;
  }

  bool write(int file, const void* data, size_t bytes) override {
    const auto* at = static_cast<const char*>(data);
    while (bytes > 0) {
      const ssize_t done = ::write(file, at, bytes);
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) return false;
      at += done;
      bytes -= static_cast<size_t>(done);
    }
    return true;
  }

  bool copyPermissions(const std::string& fromPath, int file) override {
    struct stat status {};
    if (::stat(fromPath.c_str(), &status) != 0) return false;
    return ::fchmod(file, status.st_mode & 07777) == 0;
  }

  bool flush(int file) override { return ::fsync(file) == 0; }

  // The descriptor is gone after close even when it reports an error, so no retry.
  bool close(int file) override { return ::close(file) == 0; }

  bool rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

 private:
  unsigned nextTemporary = 0;
};

}  // namespace

FileSystem& systemFileSystem() {
  static PosixFileSystem instance;
  return instance;
}
