// POSIX mqueue writer with a fallback to the system's queue limits.
#include "platform/services/message_queue.hpp"

#include <fcntl.h>
#include <mqueue.h>

#include <cerrno>
#include <fstream>
#include <utility>

namespace services {
namespace {

constexpr std::intptr_t kNoQueue = -1;
constexpr int kOpenFlags = O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC;
constexpr mode_t kQueueMode = 0600;

std::optional<long> readSystemLimit(const char* path) {
  std::ifstream file(path);
  long value = 0;
  if (file >> value && value > 0) return value;
  return std::nullopt;
}

mqd_t openWith(const std::string& name, MessageQueueLimits limits) {
  mq_attr attributes{};
  attributes.mq_maxmsg = limits.maxMessages;
  attributes.mq_msgsize = limits.maxMessageBytes;
  return mq_open(name.c_str(), kOpenFlags, kQueueMode, &attributes);
}

// The asked limits lowered to the system's maxima, or nullopt when nothing would change.
std::optional<MessageQueueLimits> limitsWithinSystemMaxima(MessageQueueLimits limits) {
  MessageQueueLimits lowered = limits;
  const auto maxMessages = readSystemLimit("/proc/sys/fs/mqueue/msg_max");
  const auto maxBytes = readSystemLimit("/proc/sys/fs/mqueue/msgsize_max");
  if (maxMessages && lowered.maxMessages > *maxMessages) lowered.maxMessages = *maxMessages;
  if (maxBytes && lowered.maxMessageBytes > *maxBytes) lowered.maxMessageBytes = *maxBytes;
  const bool changed =
      lowered.maxMessages != limits.maxMessages || lowered.maxMessageBytes != limits.maxMessageBytes;
  if (!changed) return std::nullopt;
  return lowered;
}

}  // namespace

std::optional<MessageQueueWriter> MessageQueueWriter::open(const std::string& name, MessageQueueLimits limits) {
  mqd_t queue = openWith(name, limits);
  if (queue == static_cast<mqd_t>(-1) && errno == EINVAL) {
    if (auto lowered = limitsWithinSystemMaxima(limits)) {
      queue = openWith(name, *lowered);
    } else {
      errno = EINVAL;
    }
  }
  if (queue == static_cast<mqd_t>(-1)) return std::nullopt;
  return MessageQueueWriter(queue);
}

MessageQueueWriter::MessageQueueWriter(MessageQueueWriter&& other) noexcept
    : queue_(std::exchange(other.queue_, kNoQueue)) {}

MessageQueueWriter& MessageQueueWriter::operator=(MessageQueueWriter&& other) noexcept {
  if (this != &other) {
    if (queue_ != kNoQueue) mq_close(static_cast<mqd_t>(queue_));
    queue_ = std::exchange(other.queue_, kNoQueue);
  }
  return *this;
}

MessageQueueWriter::~MessageQueueWriter() {
  if (queue_ != kNoQueue) mq_close(static_cast<mqd_t>(queue_));
}

bool MessageQueueWriter::send(std::span<const std::uint8_t> message) const {
  return mq_send(static_cast<mqd_t>(queue_), reinterpret_cast<const char*>(message.data()), message.size(), 0) == 0;
}

MessageQueueLimits MessageQueueWriter::limits() const {
  mq_attr attributes{};
  if (mq_getattr(static_cast<mqd_t>(queue_), &attributes) != 0) return {0, 0};
  return {attributes.mq_maxmsg, attributes.mq_msgsize};
}

}  // namespace services
