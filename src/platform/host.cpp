// The host the platform runs on.
#include "platform/host.hpp"

namespace {
constinit Host* current = nullptr;
}

Host* currentHost() { return current; }
void setCurrentHost(Host* host) { current = host; }
