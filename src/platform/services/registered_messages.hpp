// Registered window messages: each message name gets one number for the life of the
// process, from the range kept for registered messages.
#pragma once

#include <cstdint>
#include <string_view>

namespace services {

inline constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
inline constexpr std::uint32_t kLastRegisteredMessage = 0xFFFF;

// The number of the message name, made on its first use; the same name always gives the
// same number and different names different ones. 0 for an empty name or when the range
// is used up. Safe to call from any thread.
std::uint32_t registerWindowMessage(std::u16string_view name);

}  // namespace services
