// A named queue to the shell, opened on its first message and kept for the rest of the
// process. When it cannot be opened, a line goes to the debugger's output and nothing is
// kept, so the next message tries again. Messages from several threads are serialised.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "platform/services/message_queue.hpp"

class ShellQueue {
 public:
  ShellQueue(std::string name, long maxMessageBytes, const char16_t* cannotOpenLine);

  // Writes one message without waiting; false when the queue cannot be opened or is full.
  bool send(std::span<const std::uint8_t> message);

 private:
  std::string name_;
  long maxMessageBytes_;
  const char16_t* cannotOpenLine_;
  std::mutex mutex_;
  std::optional<services::MessageQueueWriter> writer_;
};
