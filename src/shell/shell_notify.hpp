// The shell-notify queue: 12-byte messages of a code and two 32-bit arguments.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kShellNotifyMessageBytes = 12;

// Writes code (1 or 2) with its arguments to "/QueueNameOfShellNotifyMessage" without
// waiting. A zero first argument, or any other code, sends nothing and returns false.
bool SendShellNotify(std::uint32_t code, std::uint32_t first, std::uint32_t second);
