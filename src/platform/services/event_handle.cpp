// eventfd-based auto-reset events.
#include "platform/services/event_handle.hpp"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <mutex>
#include <set>

namespace services {
namespace {

// The events this process made and has not closed.
struct OpenEvents {
  std::mutex mutex;
  std::set<EventHandle> handles;
};

OpenEvents& openEvents() {
  static OpenEvents events;
  return events;
}


}  // namespace

EventHandle createAutoResetEvent() {
  int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd == 0) {
    // Descriptor 0 would read as "no event": move it.
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
    ::close(fd);
    fd = moved;
  }
  if (fd < 0) return 0;
  const auto event = static_cast<EventHandle>(fd);
  std::lock_guard guard(openEvents().mutex);
  openEvents().handles.insert(event);
  return event;
}

// Reads and writes hold the lock too, so a handle closed meanwhile by another thread is
// never mistaken for a descriptor that reuses its number.
bool signalEvent(EventHandle event) {
  std::lock_guard guard(openEvents().mutex);
  if (!openEvents().handles.contains(event)) return false;
  const std::uint64_t one = 1;
  return ::write(static_cast<int>(event), &one, sizeof one) == sizeof one;
}

bool consumeEvent(EventHandle event) {
  std::lock_guard guard(openEvents().mutex);
  if (!openEvents().handles.contains(event)) return false;
  std::uint64_t count = 0;
  return ::read(static_cast<int>(event), &count, sizeof count) == sizeof count && count > 0;
}

bool closeEvent(EventHandle event) {
  std::lock_guard guard(openEvents().mutex);
  if (openEvents().handles.erase(event) == 0) return false;
  ::close(static_cast<int>(event));
  return true;
}

}  // namespace services
