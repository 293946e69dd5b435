// The client side of window requests: finding a window and delivering a request over
// its socket.
#include "platform/services/window_request.hpp"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/system/utf.hpp"

namespace services {
namespace {

// Closes the descriptor when the scope ends.
struct SocketGuard {
  int fd;
  ~SocketGuard() {
    if (fd >= 0) ::close(fd);
  }
};

// Connects to the window's socket; -1 when there is no window (or it is too busy to
// accept a connection within timeout).
int connectToWindow(std::u16string_view className, std::chrono::milliseconds timeout) {
  const std::string address = windowSocketAddress(className);
  if (address.empty()) return -1;
  const bool wait = timeout.count() > 0;
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | (wait ? 0 : SOCK_NONBLOCK), 0);
  if (fd < 0) return -1;
  if (wait) {
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    limit.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  }
  sockaddr_un socketAddress{};
  socketAddress.sun_family = AF_UNIX;
  std::memcpy(socketAddress.sun_path, address.data(), address.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + address.size());
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&socketAddress), length) != 0) {
    const int connectError = errno;
    ::close(fd);
    errno = connectError;
    return -1;
  }
  return fd;
}

}  // namespace

std::string windowSocketAddress(std::u16string_view className) {
  if (className.empty()) return {};
  std::string address("\0quandrel-window/", 17);
  address += std::to_string(::getuid()) + "/" + utf8FromUtf16(className);
  if (address.size() > sizeof(sockaddr_un::sun_path)) return {};
  return address;
}

bool findWindowByClassName(std::u16string_view className) {
  const int fd = connectToWindow(className, std::chrono::milliseconds(0));
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  // A listener whose queue of pending connections is full exists all the same.
  return errno == EAGAIN;
}

bool sendWindowRequest(std::u16string_view className, const WindowRequest& request,
                       std::chrono::milliseconds timeout) {
  SocketGuard socket{connectToWindow(className, timeout)};
  if (socket.fd < 0) return false;
  const auto bytes = encodeWindowRequest(request);
  return ::send(socket.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

}  // namespace services
