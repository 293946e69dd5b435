// A file system that passes every call to the real one except a chosen one, which fails.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/system/file_system.hpp"

class FailingFileSystem final : public FileSystem {
 public:
  // Fails call number failAt (counting from 0); -1 fails none. Every call runs `beforeEach` first.
  explicit FailingFileSystem(int failAt, std::function<void()> beforeEach = {})
      : failAt(failAt), beforeEach(std::move(beforeEach)) {}
  // Fails every call of one operation, by its name as failed() gives it.
  explicit FailingFileSystem(std::string operation) : failAt(-1), failEvery(std::move(operation)) {}

  int calls() const { return count; }
  // The operation that was made to fail, empty when none was.
  const std::string& failed() const { return failedOperation; }

  PathKind lookup(const std::string& path) override;
  bool clearReadOnly(const std::string& path) override;
  int open(const std::string& path, FileAccess access) override;
  int createTemporary(const std::string& besidePath, std::string& tempPath) override;
  bool size(int file, uint64_t& bytes) override;
  bool read(int file, void* buffer, size_t bytes) override;
  bool write(int file, const void* data, size_t bytes) override;
  bool copyPermissions(const std::string& fromPath, int file) override;
  bool flush(int file) override;
  bool close(int file) override;
  bool rename(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;

 private:
  bool fails(const std::string& operation);

  int failAt;
  std::function<void()> beforeEach;
  std::string failEvery;
  int count = 0;
  std::string failedOperation;
  std::set<int> temporaries;
  FileSystem& real = systemFileSystem();
};
