// The single-instance lock: a lock on a file named after a program-wide name, held until
// the process ends. The kernel releases it when the process ends in any way, so a copy
// that crashed never blocks the next start.
#pragma once

#include <filesystem>
#include <string_view>

namespace services {

enum class InstanceLock {
  Acquired,              // this process holds the lock now (or already held it)
  HeldByAnotherProcess,  // another running process holds it
  Unavailable,           // the lock file cannot be made or opened; nothing is known
};

// Takes the lock named name for the rest of the process's life; never waits.
InstanceLock acquireInstanceLock(std::u16string_view name);

// The lock file of name: "<name>.lock" in the runtime directory ('/' in the name becomes '_'),
// or "<name>-<user id>.lock" when that directory is the shared temporary one.
std::filesystem::path instanceLockPath(std::u16string_view name);

}  // namespace services
