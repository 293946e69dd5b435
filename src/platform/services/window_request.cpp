// Window request records and the address of a window's socket.
#include "platform/services/window_request.hpp"

#include <sys/un.h>
#include <unistd.h>

#include "platform/system/utf.hpp"

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

std::string windowSocketAddress(std::u16string_view className) {
  if (className.empty()) return {};
  std::string address("\0quandrel-window/", 17);
  address += std::to_string(::getuid()) + "/" + utf8FromUtf16(className);
  if (address.size() > sizeof(sockaddr_un::sun_path)) return {};
  return address;
}

}  // namespace services
