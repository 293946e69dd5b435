// Named message queues that carry fixed records to another process (POSIX mqueue).
// This side only writes, and a write never waits.
#pragma once

#include <mqueue.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace services {

struct MessageQueueLimits {
  long maxMessages;
  long maxMessageBytes;
};

class MessageQueueWriter {
 public:
  // Opens the queue called name (which starts with '/') for writing, creating it with the
  // limits when it does not exist yet. When the system refuses limits above its own maxima
  // (/proc/sys/fs/mqueue/msg_max and msgsize_max), the queue is created with those maxima
  // instead. An existing queue keeps the limits it was made with. nullopt when the queue
  // cannot be opened; errno then tells why.
  static std::optional<MessageQueueWriter> open(const std::string& name, MessageQueueLimits limits);

  MessageQueueWriter(MessageQueueWriter&& other) noexcept;
  MessageQueueWriter& operator=(MessageQueueWriter&& other) noexcept;
  MessageQueueWriter(const MessageQueueWriter&) = delete;
  MessageQueueWriter& operator=(const MessageQueueWriter&) = delete;
  ~MessageQueueWriter();

  // Writes one message. False, at once, when the queue is full or the message is larger
  // than the queue's largest message.
  bool send(std::span<const std::uint8_t> message) const;

  // The limits the queue actually has.
  MessageQueueLimits limits() const;

 private:
  explicit MessageQueueWriter(mqd_t queue) : queue_(queue) {}
  mqd_t queue_;
};

}  // namespace services
