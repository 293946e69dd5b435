// Requests to a top-level window of another process, found by its window class name.
//
// A window that wants to be found listens on a local socket named after its class name
// (see window_listener.hpp); a client finds it by connecting and delivers one fixed
// 16-byte record per connection. The socket lives in the abstract namespace and carries
// the user's id, so it vanishes with the process and copies run by other users never meet.
// On Windows the window is a real top-level window of that class: FindWindowW finds it
// and the record travels in a WM_COPYDATA message (window_request_win32.hpp).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace services {

enum class WindowAction : std::uint32_t {
  ShowAndRaise = 1,  // make the window visible if hidden, then bring it to the front
  Show = 2,
  Hide = 3,
  Message = 4,       // deliver message with its two arguments to the window
};

struct WindowRequest {
  WindowAction action = WindowAction::ShowAndRaise;
  std::uint32_t message = 0;
  std::uint32_t firstArgument = 0;
  std::uint32_t secondArgument = 0;

  bool operator==(const WindowRequest&) const = default;
};

inline constexpr std::size_t kWindowRequestBytes = 16;

// Little-endian: action, message, first argument, second argument.
std::array<std::uint8_t, kWindowRequestBytes> encodeWindowRequest(const WindowRequest& request);
// nullopt unless bytes is one whole record with a known action.
std::optional<WindowRequest> decodeWindowRequest(std::span<const std::uint8_t> bytes);

// POSIX: the socket address of a class name (abstract: it starts with a zero byte); empty when
// the name does not fit a socket address.
std::string windowSocketAddress(std::u16string_view className);

// Whether a window of that class exists (some process listens for it).
bool findWindowByClassName(std::u16string_view className);

// Delivers the request to the window of that class. timeout bounds the wait for a busy
// listener; zero never waits. False when no such window exists or it could not take the
// request in time.
bool sendWindowRequest(std::u16string_view className, const WindowRequest& request,
                       std::chrono::milliseconds timeout);

}  // namespace services
