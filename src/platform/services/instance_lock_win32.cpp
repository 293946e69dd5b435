// The single-instance lock on Windows: a named mutex in the session's namespace, owned
// until the process ends (Windows closes it then, however the process ends).
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
  const std::wstring objectName = L"Local\\" + std::wstring(name.begin(), name.end());
  const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, objectName.c_str());
  if (mutex == nullptr) return InstanceLock::Unavailable;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return InstanceLock::HeldByAnotherProcess;
  }
  held.emplace(name);  // the handle stays open for the life of the process
  return InstanceLock::Acquired;
}

}  // namespace services
