// The single-instance lock on Windows: a named mutex (in the session's namespace, as
// every plain name is) whose handle stays open until the process ends; Windows closes
// it then, however the process ends, and the name is free again.
#include <windows.h>

#include <mutex>
#include <set>
#include <string>

#include "platform/services/instance_lock.hpp"

namespace services {

InstanceLock acquireInstanceLock(std::u16string_view name) {
  if (name.empty() || name.find(u'\\') != std::u16string_view::npos) return InstanceLock::Unavailable;
  static std::mutex heldMutex;
  static std::set<std::u16string> held;
  std::lock_guard guard(heldMutex);
  if (held.contains(std::u16string(name))) return InstanceLock::Acquired;
  const std::wstring objectName(name.begin(), name.end());
  const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, objectName.c_str());
  const DWORD error = ::GetLastError();  // read at once: the next call may change it
  if (mutex == nullptr) return InstanceLock::Unavailable;
  if (error == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return InstanceLock::HeldByAnotherProcess;
  }
  // The name, not the ownership, is the lock: released at once, the handle kept.
  ::ReleaseMutex(mutex);
  held.emplace(name);
  return InstanceLock::Acquired;
}

}  // namespace services
