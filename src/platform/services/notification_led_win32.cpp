// Notification LEDs on Windows, where no system class of LEDs exists: the LEDs
// are those a device's program offers in the session's named shared memory
// "Local\quandrel-notification-leds" (a count, then per LED its blink times in
// microseconds, off when both are zero). Without such a program there are none.
#include <windows.h>

#include <cstdint>

#include "platform/services/notification_led.hpp"

namespace services {
namespace {

constexpr const wchar_t* LedMappingName = L"Local\\quandrel-notification-leds";
constexpr std::uint32_t MaxLeds = 64;

struct LedTable {
  std::uint32_t count;
  struct {
    std::uint64_t onMicroseconds;
    std::uint64_t offMicroseconds;
  } leds[MaxLeds];
};

// Runs `use` on the offered table while it is mapped; false when none is offered.
template <typename Use>
bool withLedTable(Use use) {
  const HANDLE mapping = ::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, LedMappingName);
  if (mapping == nullptr) return false;
  auto* table = static_cast<LedTable*>(::MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(LedTable)));
  const bool done = table != nullptr && use(*table);
  if (table) ::UnmapViewOfFile(table);
  ::CloseHandle(mapping);
  return done;
}

bool setLed(int index, std::uint64_t on, std::uint64_t off) {
  return withLedTable([&](LedTable& table) {
    if (index < 0 || static_cast<std::uint32_t>(index) >= table.count || index >= static_cast<int>(MaxLeds))
      return false;
    table.leds[index].onMicroseconds = on;
    table.leds[index].offMicroseconds = off;
    return true;
  });
}

}  // namespace

int notificationLedCount() {
  int count = 0;
  withLedTable([&](LedTable& table) {
    count = static_cast<int>(table.count < MaxLeds ? table.count : MaxLeds);
    return true;
  });
  return count;
}

bool setNotificationLedBlinking(int index, std::uint64_t onMicroseconds, std::uint64_t offMicroseconds) {
  return setLed(index, onMicroseconds, offMicroseconds);
}

bool setNotificationLedOff(int index) { return setLed(index, 0, 0); }

}  // namespace services
