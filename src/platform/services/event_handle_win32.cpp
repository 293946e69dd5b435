// Event handles on Windows: auto-reset kernel events. A kernel handle's value fits in
// 32 bits (Windows keeps them so for 32-bit programs), so it is the event's number.
#include <windows.h>

#include <mutex>
#include <set>

#include "platform/services/event_handle.hpp"

namespace services {
namespace {

std::mutex& eventsMutex() {
  static std::mutex mutex;
  return mutex;
}

// The events this process made and has not closed.
std::set<EventHandle>& openEvents() {
  static std::set<EventHandle> events;
  return events;
}

HANDLE systemHandle(EventHandle event) {
  std::lock_guard guard(eventsMutex());
  if (!openEvents().contains(event)) return nullptr;
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(event));
}

}  // namespace

EventHandle createAutoResetEvent() {
  const HANDLE made = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (made == nullptr) return 0;
  const auto value = reinterpret_cast<std::uintptr_t>(made);
  if (value > 0xFFFFFFFFu) {
    ::CloseHandle(made);
    return 0;
  }
  std::lock_guard guard(eventsMutex());
  openEvents().insert(static_cast<EventHandle>(value));
  return static_cast<EventHandle>(value);
}

bool signalEvent(EventHandle event) {
  const HANDLE handle = systemHandle(event);
  return handle != nullptr && ::SetEvent(handle) != 0;
}

bool consumeEvent(EventHandle event) {
  const HANDLE handle = systemHandle(event);
  return handle != nullptr && ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

bool closeEvent(EventHandle event) {
  std::lock_guard guard(eventsMutex());
  if (openEvents().erase(event) == 0) return false;
  return ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(event))) != 0;
}

}  // namespace services
