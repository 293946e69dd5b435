// User notifications: add and remove.
#include "shell/user_notification.hpp"

#include <array>

#include "shell/record_writer.hpp"
#include "shell/shell_queue.hpp"

namespace {

enum NotificationKind : std::uint32_t { kAddWithNewEvent = 1, kAddWithGivenEvent = 2, kRemove = 3 };

ShellQueue& userNotificationQueue() {
  static ShellQueue& queue = *new ShellQueue("/NameOfMzUserNotification",
                                             static_cast<long>(kUserNotificationMessageBytes),
                                             u"Cannot open user notification queue!\n");
  return queue;
}

bool sendNotification(services::EventHandle event, std::uint32_t kind, std::span<const std::uint8_t> payload) {
  std::array<std::uint8_t, kUserNotificationMessageBytes> message{};
  RecordWriter out(message);
  out.putWord(0, event);
  out.putWord(4, kind);
  out.putBytes(8, payload);
  return userNotificationQueue().send(message);
}

}  // namespace

services::EventHandle AddUserNotification(std::span<const std::uint8_t> payload, services::EventHandle event) {
  if (payload.size() > kUserNotificationPayloadBytes) return 0;
  if (event != 0) return sendNotification(event, kAddWithGivenEvent, payload) ? event : 0;

  const services::EventHandle made = services::createAutoResetEvent();
  if (made == 0) return 0;
  if (!sendNotification(made, kAddWithNewEvent, payload)) {
    services::closeEvent(made);
    return 0;
  }
  return made;
}

bool RemoveUserNotification(services::EventHandle event) {
  if (event == 0) return false;
  services::closeEvent(event);
  return sendNotification(event, kRemove, {});
}
