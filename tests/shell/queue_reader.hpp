// Test side of the shell's queues: opens a queue by name the way the shell would and reads
// what the helpers wrote.
#pragma once

#include <fcntl.h>
#include <mqueue.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QueueReader {
 public:
  using Message = std::vector<std::uint8_t>;

  explicit QueueReader(std::string name) : name_(std::move(name)) {}
  ~QueueReader() {
    if (queue_ != static_cast<mqd_t>(-1)) mq_close(queue_);
  }
  QueueReader(const QueueReader&) = delete;
  QueueReader& operator=(const QueueReader&) = delete;

  // Every message waiting now, oldest first; none when the queue does not exist.
  std::vector<Message> receiveAll() {
    std::vector<Message> messages;
    if (!openIfPresent()) return messages;
    mq_attr attributes{};
    mq_getattr(queue_, &attributes);
    Message buffer(static_cast<std::size_t>(attributes.mq_msgsize));
    for (;;) {
      const ssize_t size = mq_receive(queue_, reinterpret_cast<char*>(buffer.data()), buffer.size(), nullptr);
      if (size < 0) break;
      messages.emplace_back(buffer.begin(), buffer.begin() + size);
    }
    return messages;
  }

  // Throws away whatever earlier tests left.
  void drain() { receiveAll(); }

  std::optional<mq_attr> attributes() {
    if (!openIfPresent()) return std::nullopt;
    mq_attr attributes{};
    mq_getattr(queue_, &attributes);
    return attributes;
  }

 private:
  bool openIfPresent() {
    if (queue_ == static_cast<mqd_t>(-1)) queue_ = mq_open(name_.c_str(), O_RDONLY | O_NONBLOCK);
    return queue_ != static_cast<mqd_t>(-1);
  }

  std::string name_;
  mqd_t queue_ = static_cast<mqd_t>(-1);
};

// Little-endian 32-bit word of a message.
inline std::uint32_t wordAt(const std::vector<std::uint8_t>& message, std::size_t offset) {
  return static_cast<std::uint32_t>(message.at(offset)) | static_cast<std::uint32_t>(message.at(offset + 1)) << 8 |
         static_cast<std::uint32_t>(message.at(offset + 2)) << 16 |
         static_cast<std::uint32_t>(message.at(offset + 3)) << 24;
}

// The offsets of message between begin and end that are not zero.
inline std::vector<std::size_t> nonZeroOffsets(const std::vector<std::uint8_t>& message, std::size_t begin,
                                               std::size_t end) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = begin; i < end && i < message.size(); ++i)
    if (message[i] != 0) offsets.push_back(i);
  return offsets;
}

inline const char* const kAppsAskQueue = "/QueueNameOffAppsAskShellEvent";
inline const char* const kShellNotifyQueue = "/QueueNameOfShellNotifyMessage";
inline const char* const kUserNotificationQueue = "/NameOfMzUserNotification";
