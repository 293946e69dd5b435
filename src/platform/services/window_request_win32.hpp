// Window requests on Windows: the record arrives at the window of the class name in a
// WM_COPYDATA message with this tag; the window's procedure hands it to the listener.
#pragma once

#include <cstdint>
#include <span>

namespace services {

inline constexpr std::uintptr_t kWindowRequestCopyTag = 0x51574E52;  // "QWNR"

// Decodes the record and calls the listening handler; false when no one listens or the
// bytes are not a request.
bool deliverWindowRequest(std::span<const std::uint8_t> bytes);

}  // namespace services
