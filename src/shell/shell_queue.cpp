// Lazily opened shell queues.
#include "shell/shell_queue.hpp"

#include <utility>

#include "platform/services/debug_output.hpp"

namespace {
// Every shell queue holds at most this many messages.
constexpr long kShellQueueMessages = 16;
}  // namespace

ShellQueue::ShellQueue(std::string name, long maxMessageBytes, const char16_t* cannotOpenLine)
    : name_(std::move(name)), maxMessageBytes_(maxMessageBytes), cannotOpenLine_(cannotOpenLine) {}

bool ShellQueue::send(std::span<const std::uint8_t> message) {
  std::lock_guard guard(mutex_);
  if (!writer_) {
    writer_ = services::MessageQueueWriter::open(name_, {kShellQueueMessages, maxMessageBytes_});
    if (!writer_) {
      services::OutputDebugStringW(cannotOpenLine_);
      return false;
    }
  }
  return writer_->send(message);
}
