// Named message queues on Windows: a ring of fixed slots in named shared memory, guarded
// by a named mutex, with a named semaphore counting the messages for the reader. The
// queue's first writer (or reader) creates the three objects with its limits; later ones
// take the limits it has. A write never waits: a busy or full queue refuses it.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "platform/services/message_queue.hpp"

namespace services {
namespace {

constexpr std::intptr_t kNoQueue = -1;
constexpr std::uint32_t kRingMagic = 0x51524E47;  // "QRNG"
// Refuse limits that would map more than this, as POSIX refuses limits above its maxima.
constexpr std::uint64_t kLargestRing = 16u << 20;

// At the start of the shared memory; the slots follow, each a 4-byte length and the bytes.
struct RingHeader {
  std::uint32_t magic;
  std::uint32_t maxMessages;
  std::uint32_t maxMessageBytes;
  std::uint32_t first;  // slot of the oldest message
  std::uint32_t count;  // messages waiting
};

struct Ring {
  HANDLE mapping = nullptr;
  HANDLE lock = nullptr;
  HANDLE ready = nullptr;
  RingHeader* header = nullptr;

  ~Ring() {
    if (header) ::UnmapViewOfFile(header);
    for (HANDLE handle : {mapping, lock, ready}) {
      if (handle) ::CloseHandle(handle);
    }
  }
  std::uint8_t* slot(std::uint32_t index) const {
    return reinterpret_cast<std::uint8_t*>(header + 1) + std::uint64_t{index} * (4 + header->maxMessageBytes);
  }
};

std::wstring objectName(const std::string& name, const wchar_t* part) {
  std::wstring wide = L"Local\\quandrel-queue";
  for (const char c : name) wide += c == '\\' ? L'_' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide + part;
}

Ring* ringOf(std::intptr_t queue) { return reinterpret_cast<Ring*>(queue); }

bool lockRing(const Ring& ring) {
  const DWORD result = ::WaitForSingleObject(ring.lock, 0);
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

}  // namespace

std::optional<MessageQueueWriter> MessageQueueWriter::open(const std::string& name, MessageQueueLimits limits) {
  if (name.empty() || limits.maxMessages <= 0 || limits.maxMessageBytes <= 0) {
    errno = EINVAL;
    return std::nullopt;
  }
  const std::uint64_t bytes =
      sizeof(RingHeader) + std::uint64_t(limits.maxMessages) * (4 + std::uint64_t(limits.maxMessageBytes));
  if (bytes > kLargestRing) {
    errno = EINVAL;
    return std::nullopt;
  }
  auto ring = std::make_unique<Ring>();
  ring->lock = ::CreateMutexW(nullptr, FALSE, objectName(name, L"-lock").c_str());
  if (!ring->lock || ::WaitForSingleObject(ring->lock, 1000) == WAIT_TIMEOUT) {
    errno = EAGAIN;
    return std::nullopt;
  }
  ring->mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(bytes),
                                       objectName(name, L"-ring").c_str());
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (ring->mapping) ring->header = static_cast<RingHeader*>(::MapViewOfFile(ring->mapping, FILE_MAP_WRITE, 0, 0, 0));
  bool usable = ring->header != nullptr;
  if (usable && !existed) {
    *ring->header = RingHeader{kRingMagic, static_cast<std::uint32_t>(limits.maxMessages),
                               static_cast<std::uint32_t>(limits.maxMessageBytes), 0, 0};
  }
  usable = usable && ring->header->magic == kRingMagic;
  if (usable) {
    ring->ready = ::CreateSemaphoreW(nullptr, 0, static_cast<LONG>(ring->header->maxMessages),
                                     objectName(name, L"-ready").c_str());
    usable = ring->ready != nullptr;
  }
  ::ReleaseMutex(ring->lock);
  if (!usable) {
    errno = EACCES;
    return std::nullopt;
  }
  return MessageQueueWriter(reinterpret_cast<std::intptr_t>(ring.release()));
}

MessageQueueWriter::MessageQueueWriter(MessageQueueWriter&& other) noexcept
    : queue_(std::exchange(other.queue_, kNoQueue)) {}

MessageQueueWriter& MessageQueueWriter::operator=(MessageQueueWriter&& other) noexcept {
  if (this != &other) {
    if (queue_ != kNoQueue) delete ringOf(queue_);
    queue_ = std::exchange(other.queue_, kNoQueue);
  }
  return *this;
}

MessageQueueWriter::~MessageQueueWriter() {
  if (queue_ != kNoQueue) delete ringOf(queue_);
}

bool MessageQueueWriter::send(std::span<const std::uint8_t> message) const {
  const Ring& ring = *ringOf(queue_);
  if (message.size() > ring.header->maxMessageBytes || !lockRing(ring)) return false;
  RingHeader& header = *ring.header;
  const bool room = header.count < header.maxMessages;
  if (room) {
    std::uint8_t* slot = ring.slot((header.first + header.count) % header.maxMessages);
    const auto length = static_cast<std::uint32_t>(message.size());
    std::memcpy(slot, &length, 4);
    std::copy(message.begin(), message.end(), slot + 4);
    ++header.count;
  }
  ::ReleaseMutex(ring.lock);
  if (room) ::ReleaseSemaphore(ring.ready, 1, nullptr);
  return room;
}

MessageQueueLimits MessageQueueWriter::limits() const {
  const RingHeader& header = *ringOf(queue_)->header;
  return {static_cast<long>(header.maxMessages), static_cast<long>(header.maxMessageBytes)};
}

}  // namespace services
