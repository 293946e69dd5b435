// The window side of window requests: listens on the socket named after a window class
// name and hands each request that arrives to a handler.
//
// Contract for the UI platform: the handler runs on the listener's own thread, one
// request at a time, never on the GUI thread. It must be quick and must not throw; the
// usual handler queues the request and wakes the GUI thread's message loop, which then
// acts on the window. Requests from processes of other users are dropped unread.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <thread>

#include "platform/services/window_request.hpp"

namespace services {

class WindowRequestListener {
 public:
  using Handler = std::function<void(const WindowRequest&)>;

  // Starts listening for the window class; nullptr when another process already listens
  // for it or the socket cannot be made.
  static std::unique_ptr<WindowRequestListener> start(std::u16string_view className, Handler handler);

  // Stops listening and waits for the listener's thread: no handler call runs after the
  // destructor has returned. The class name is free again at once.
  ~WindowRequestListener();

  WindowRequestListener(const WindowRequestListener&) = delete;
  WindowRequestListener& operator=(const WindowRequestListener&) = delete;

 private:
  WindowRequestListener(int listeningSocket, int stopEvent, Handler handler);
  void acceptRequests();
  void receiveOneRequest(int connection);

  int listeningSocket_;
  int stopEvent_;
  Handler handler_;
  std::thread thread_;
};

}  // namespace services
