// Named message queues that carry fixed records to another process (POSIX mqueue, or on
// Windows a named shared memory ring with a named mutex and semaphore).
// This side only writes, and a write never waits.
#pragma once

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
  // The system's queue: a POSIX queue descriptor, or the Windows queue's objects.
  explicit MessageQueueWriter(std::intptr_t queue) : queue_(queue) {}
  std::intptr_t queue_;
};

}  // namespace services
