// The host the platform runs on.
#include "platform/host.hpp"

#include "platform/message_loop.hpp"

namespace {
constinit Host* current = nullptr;
}

Host* currentHost() { return current; }
void setCurrentHost(Host* host) {
  current = host;
  restartLoopClock();  // a new host runs from moment 0
}
