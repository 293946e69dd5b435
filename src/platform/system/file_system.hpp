// The file operations the program uses, behind one interface so tests can make any of them fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Unknown: the lookup itself failed, so nothing is known of the path.
enum class PathKind { Missing, File, Directory, Other, Unknown };
enum class FileAccess { Read, ReadWrite };

// Paths are UTF-8 byte strings (on Windows turned into the wide names of the system's
// calls). A file is an open handle, -1 for none.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual PathKind lookup(const std::string& path) = 0;
  // Gives the owner write permission back to a file that lacks it.
  virtual bool clearReadOnly(const std::string& path) = 0;
  virtual int open(const std::string& path, FileAccess access) = 0;
  // Creates a new, empty file in the directory of besidePath and names it in tempPath.
  virtual int createTemporary(const std::string& besidePath, std::string& tempPath) = 0;
  virtual bool size(int file, uint64_t& bytes) = 0;
  // Reads or writes exactly `bytes` bytes at the current position.
  virtual bool read(int file, void* buffer, size_t bytes) = 0;
  virtual bool write(int file, const void* data, size_t bytes) = 0;
  // Gives the file the permission bits of the file at fromPath.
  virtual bool copyPermissions(const std::string& fromPath, int file) = 0;
  // Pushes the file's contents to the storage device.
  virtual bool flush(int file) = 0;
  virtual bool close(int file) = 0;
  // Replaces `to` with `from` in one step.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool remove(const std::string& path) = 0;
};

// The real file system of the machine: POSIX calls, or Windows' wide-character calls.
FileSystem& systemFileSystem();

// The file system the program uses: the real one unless a test has put another in place.
FileSystem& fileSystem();

// Puts another file system in place for the lifetime of the object (tests only).
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& replacement);
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystem* previous;
};
