// Event handles: auto-reset events on eventfd(2), named by a 32-bit handle (0 is none) so
// that they fit the 32-bit handle fields of shell records.
#pragma once

#include <cstdint>

namespace services {

using EventHandle = std::uint32_t;

// A new event, not signalled; 0 when none could be made.
EventHandle createAutoResetEvent();

// Signals the event; false for a handle that is not an open event of this process.
bool signalEvent(EventHandle event);

// Whether the event was signalled, resetting it; never waits.
bool consumeEvent(EventHandle event);

// Closes an event made by createAutoResetEvent; false (and nothing closed) for any other
// handle, so a wrong handle can never close an unrelated descriptor.
bool closeEvent(EventHandle event);

}  // namespace services
