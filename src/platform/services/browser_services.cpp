// The services a browser page cannot have: message queues, event handles and requests
// between processes. Each fails the way it does on a system without the facility, so
// callers take their usual fallbacks (a shell request prints its debug line, a second
// copy is never found).
#include <cerrno>
#include <utility>

#include "platform/services/event_handle.hpp"
#include "platform/services/message_queue.hpp"
#include "platform/services/web_client.hpp"
#include "platform/services/window_listener.hpp"
#include "platform/services/window_request.hpp"

namespace services {
namespace {
constexpr std::intptr_t kNoQueue = -1;
}  // namespace

std::optional<MessageQueueWriter> MessageQueueWriter::open(const std::string&, MessageQueueLimits) {
  errno = ENOSYS;
  return std::nullopt;
}

// No writer is ever made; these exist because std::optional needs them.
MessageQueueWriter::MessageQueueWriter(MessageQueueWriter&& other) noexcept
    : queue_(std::exchange(other.queue_, kNoQueue)) {}
MessageQueueWriter& MessageQueueWriter::operator=(MessageQueueWriter&& other) noexcept {
  queue_ = std::exchange(other.queue_, kNoQueue);
  return *this;
}
MessageQueueWriter::~MessageQueueWriter() = default;
bool MessageQueueWriter::send(std::span<const std::uint8_t>) const { return false; }
MessageQueueLimits MessageQueueWriter::limits() const { return {0, 0}; }

EventHandle createAutoResetEvent() { return 0; }
bool signalEvent(EventHandle) { return false; }
bool consumeEvent(EventHandle) { return false; }
bool closeEvent(EventHandle) { return false; }

std::unique_ptr<WindowRequestListener> WindowRequestListener::start(std::u16string_view, Handler) {
  return nullptr;
}
WindowRequestListener::~WindowRequestListener() = default;

bool findWindowByClassName(std::u16string_view) { return false; }
bool sendWindowRequest(std::u16string_view, const WindowRequest&, std::chrono::milliseconds) {
  return false;
}

// No web requests of the platform's own (the page host makes them with fetch):
// a client that sends nothing.
WebReply transferWebRequest(const WebRequest&, const std::atomic<bool>&) { return {}; }
WebClient::WebClient(std::function<void()> arrived, Transfer transfer)
    : arrived_(std::move(arrived)), transfer_(std::move(transfer)) {}
WebClient::~WebClient() = default;
uint32_t WebClient::send(WebRequest) { return 0; }
bool WebClient::takeReply(WebReply&) { return false; }
size_t WebClient::outstanding() const { return 0; }
void WebClient::stop() {}

}  // namespace services
