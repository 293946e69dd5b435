// Single-instance lock on flock(2).
#include "platform/services/instance_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <string>

#include "platform/services/runtime_directory.hpp"
#include "platform/system/utf.hpp"

namespace services {
namespace {

// Locks this process holds, by path. flock locks belong to an open file, so a second open
// of the same file here would find our own lock taken; the open descriptors are kept for
// the life of the process.
std::map<std::string, int>& heldLocks() {
  static std::map<std::string, int> locks;
  return locks;
}

std::mutex& heldLocksMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::filesystem::path instanceLockPath(std::u16string_view name) {
  std::string fileName = utf8FromUtf16(name);
  std::replace(fileName.begin(), fileName.end(), '/', '_');
  // In a folder every user shares, one user's lock file could not be opened by another, who
  // would then run unguarded: each user gets a lock file of their own there.
  if (!runtimeDirectoryIsPerUser()) fileName += "-" + std::to_string(::getuid());
  return runtimeDirectory() / (fileName + ".lock");
}

InstanceLock acquireInstanceLock(std::u16string_view name) {
  if (name.empty()) return InstanceLock::Unavailable;
  const std::string path = instanceLockPath(name).string();

  std::lock_guard guard(heldLocksMutex());
  if (heldLocks().contains(path)) return InstanceLock::Acquired;

  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return InstanceLock::Unavailable;
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? InstanceLock::HeldByAnotherProcess : InstanceLock::Unavailable;
  }
  heldLocks().emplace(path, fd);
  return InstanceLock::Acquired;
}

}  // namespace services
