// Notification LED helpers on the platform's LED service (which takes microseconds).
#include "shell/notification_led.hpp"

#include "platform/services/notification_led.hpp"

namespace {
constexpr std::uint64_t kMicrosecondsPerMillisecond = 1000;
}  // namespace

bool BlinkNotificationLed(std::uint32_t onMilliseconds, std::uint32_t offMilliseconds) {
  const int count = services::notificationLedCount();
  if (count == 0) return false;
  return services::setNotificationLedBlinking(count - 1, onMilliseconds * kMicrosecondsPerMillisecond,
                                              offMilliseconds * kMicrosecondsPerMillisecond);
}

bool SwitchOffNotificationLed() {
  const int count = services::notificationLedCount();
  if (count == 0) return false;
  return services::setNotificationLedOff(count - 1);
}
