// Listener thread for window requests on an abstract AF_UNIX socket.
#include "platform/services/window_listener.hpp"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <utility>

namespace services {
namespace {

constexpr int kPendingConnections = 8;
// A client that connects and then stalls may hold the listener this long at most.
constexpr timeval kReceiveLimit{1, 0};

int bindListeningSocket(std::u16string_view className) {
  const std::string address = windowSocketAddress(className);
  if (address.empty()) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un socketAddress{};
  socketAddress.sun_family = AF_UNIX;
  std::memcpy(socketAddress.sun_path, address.data(), address.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + address.size());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&socketAddress), length) != 0 ||
      ::listen(fd, kPendingConnections) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool fromSameUser(int connection) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

}  // namespace

std::unique_ptr<WindowRequestListener> WindowRequestListener::start(std::u16string_view className,
                                                                    Handler handler) {
  const int listening = bindListeningSocket(className);
  if (listening < 0) return nullptr;
  const int stop = ::eventfd(0, EFD_CLOEXEC);
  if (stop < 0) {
    ::close(listening);
    return nullptr;
  }
  std::unique_ptr<WindowRequestListener> listener(new WindowRequestListener(listening, stop, std::move(handler)));
  listener->thread_ = std::thread(&WindowRequestListener::acceptRequests, listener.get());
  return listener;
}

WindowRequestListener::WindowRequestListener(int listeningSocket, int stopEvent, Handler handler)
    : listeningSocket_(listeningSocket), stopEvent_(stopEvent), handler_(std::move(handler)) {}

WindowRequestListener::~WindowRequestListener() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(stopEvent_, &one, sizeof one);
  if (thread_.joinable()) thread_.join();
  ::close(listeningSocket_);
  ::close(stopEvent_);
}

void WindowRequestListener::acceptRequests() {
  pollfd watched[2] = {{listeningSocket_, POLLIN, 0}, {stopEvent_, POLLIN, 0}};
  for (;;) {
    if (::poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0) return;
    if ((watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return;
    if ((watched[0].revents & POLLIN) == 0) continue;
    const int connection = ::accept4(listeningSocket_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    if (fromSameUser(connection)) receiveOneRequest(connection);
    ::close(connection);
  }
}

void WindowRequestListener::receiveOneRequest(int connection) {
  ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &kReceiveLimit, sizeof kReceiveLimit);
  // One byte more than a record, so that an oversized packet is seen and dropped.
  std::uint8_t buffer[kWindowRequestBytes + 1];
  const ssize_t received = ::recv(connection, buffer, sizeof buffer, 0);
  if (received <= 0) return;  // a client that only looked for the window, or gave up
  if (auto request = decodeWindowRequest(std::span(buffer, static_cast<std::size_t>(received))))
    handler_(*request);
}

}  // namespace services
