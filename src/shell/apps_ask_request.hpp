// The record that applications put on the shell's apps-ask queue: 232 bytes, little-endian,
// every byte a request does not set left 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kAppsAskShellRequestBytes = 232;
inline constexpr std::size_t kAppsAskTextChars = 64;
inline constexpr std::size_t kAppsAskSecondTextChars = 32;

struct AppsAskShellRequest {
  std::uint32_t code = 0;                               // offset 0
  std::uint32_t firstArgument = 0;                      // offset 4
  std::uint32_t secondArgument = 0;                     // offset 8
  std::array<char16_t, kAppsAskTextChars> text{};       // offset 12 (code 12)
  std::uint32_t variantFlag = 0;                        // offset 140 (code 12: 1 or 0)
  std::array<char16_t, kAppsAskSecondTextChars> secondText{};  // offset 144 (code 12, flag 0)
  std::uint32_t firstValue = 0;                         // offset 208 (code 12, flag 1)
  std::uint32_t secondValue = 0;                        // offset 212 (code 12, flag 1)
  std::array<std::uint32_t, 4> block{};                 // offset 216 (code 12, flag 0)
};

// The request's bytes as they go on the queue.
std::array<std::uint8_t, kAppsAskShellRequestBytes> serializeAppsAskShellRequest(const AppsAskShellRequest& request);
