// Window request records.
#include "platform/services/window_request.hpp"

namespace services {
namespace {

void putWord(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getWord(const std::uint8_t* in) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace

std::array<std::uint8_t, kWindowRequestBytes> encodeWindowRequest(const WindowRequest& request) {
  std::array<std::uint8_t, kWindowRequestBytes> bytes{};
  putWord(&bytes[0], static_cast<std::uint32_t>(request.action));
  putWord(&bytes[4], request.message);
  putWord(&bytes[8], request.firstArgument);
  putWord(&bytes[12], request.secondArgument);
  return bytes;
}

std::optional<WindowRequest> decodeWindowRequest(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kWindowRequestBytes) return std::nullopt;
  const std::uint32_t action = getWord(&bytes[0]);
  if (action < static_cast<std::uint32_t>(WindowAction::ShowAndRaise) ||
      action > static_cast<std::uint32_t>(WindowAction::Message))
    return std::nullopt;
  return WindowRequest{static_cast<WindowAction>(action), getWord(&bytes[4]), getWord(&bytes[8]),
                       getWord(&bytes[12])};
}

}  // namespace services
