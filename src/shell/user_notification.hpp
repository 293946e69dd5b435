// The user-notification queue: 5080-byte messages of an event handle, a kind and a payload
// whose inner layout belongs to the shell. A notification is named by its event handle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/services/event_handle.hpp"

inline constexpr std::size_t kUserNotificationMessageBytes = 5080;
inline constexpr std::size_t kUserNotificationPayloadBytes = 5072;

// Adds a notification on "/NameOfMzUserNotification". With no event (0) a new unsignalled
// auto-reset event is made and sent with kind 1; a given event is sent with kind 2. The
// payload (at most 5072 bytes; a shorter one is padded with zeros) is copied into the
// message. Returns the notification's event, or 0 when nothing was sent (no event could be
// made, the payload is too long, or the write failed; an event made here is closed again).
services::EventHandle AddUserNotification(std::span<const std::uint8_t> payload, services::EventHandle event = 0);

// Closes the notification's event and sends kind 3 with its handle and a zero payload.
// A zero handle names no notification: nothing is sent and the result is false.
bool RemoveUserNotification(services::EventHandle event);
