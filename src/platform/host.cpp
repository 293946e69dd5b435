// The host the platform runs on.
#include "platform/host.hpp"

#include <utility>

#include "platform/message_loop.hpp"

namespace {
constinit Host* current = nullptr;
}

HostEvent webReplyEvent(WebReply reply) {
  HostEvent event;
  event.kind = HostEvent::Kind::WebReply;
  event.id = reply.request;
  event.arg = reply.status;
  event.text = std::move(reply.body);
  return event;
}

Host* currentHost() { return current; }
void setCurrentHost(Host* host) {
  current = host;
  restartLoopClock();  // a new host runs from moment 0
}
