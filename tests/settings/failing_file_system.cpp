// Failure injection for the file operations: a failed write still writes half its bytes,
// a failed close still closes, as real failures do.
#include "failing_file_system.hpp"

bool FailingFileSystem::fails(const std::string& operation) {
  if (beforeEach) beforeEach();
  if (count++ != failAt && operation != failEvery) return false;
  failedOperation = operation;
  return true;
}

PathKind FailingFileSystem::lookup(const std::string& path) {
  return fails("lookup") ? PathKind::Unknown : real.lookup(path);
}

bool FailingFileSystem::clearReadOnly(const std::string& path) {
  return !fails("clearReadOnly") && real.clearReadOnly(path);
}

int FailingFileSystem::open(const std::string& path, FileAccess access) {
  return fails("open") ? -1 : real.open(path, access);
}

int FailingFileSystem::createTemporary(const std::string& besidePath, std::string& tempPath) {
  if (fails("createTemporary")) return -1;
  const int file = real.createTemporary(besidePath, tempPath);
  temporaries.insert(file);
  return file;
}

bool FailingFileSystem::size(int file, uint64_t& bytes) { return !fails("size") && real.size(file, bytes); }

bool FailingFileSystem::read(int file, void* buffer, size_t bytes) {
  return !fails("read") && real.read(file, buffer, bytes);
}

bool FailingFileSystem::write(int file, const void* data, size_t bytes) {
  if (fails("write")) {
    real.write(file, data, bytes / 2);
    return false;
  }
  return real.write(file, data, bytes);
}

bool FailingFileSystem::copyPermissions(const std::string& fromPath, int file) {
  return !fails("copyPermissions") && real.copyPermissions(fromPath, file);
}

bool FailingFileSystem::flush(int file) { return !fails("flush") && real.flush(file); }

bool FailingFileSystem::close(int file) {
  const bool temporary = temporaries.erase(file) > 0;
  const bool failing = fails(temporary ? "close temporary" : "close");
  return real.close(file) && !failing;
}

bool FailingFileSystem::rename(const std::string& from, const std::string& to) {
  return !fails("rename") && real.rename(from, to);
}

bool FailingFileSystem::remove(const std::string& path) { return !fails("remove") && real.remove(path); }
