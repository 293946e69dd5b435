// Web requests off the game's thread, for the hosts that make their own
// (libcurl on the desktop and headless, WinHTTP on Windows): one worker
// thread carries them out in the order they were sent, and the replies wait
// in that order until the host takes them on the game's thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/web_request.hpp"

namespace services {

// Carries out one request and waits for its reply; gives up (status 0) when
// `stopping` turns true. The system's own: libcurl or WinHTTP.
WebReply transferWebRequest(const WebRequest& request, const std::atomic<bool>& stopping);

class WebClient {
 public:
  using Transfer = std::function<WebReply(const WebRequest&, const std::atomic<bool>& stopping)>;
  // `arrived` is called on the worker thread after each reply is ready (a
  // host wakes its loop there).
  explicit WebClient(std::function<void()> arrived, Transfer transfer = transferWebRequest);
  // Stops as stop() does.
  ~WebClient();
  WebClient(const WebClient&) = delete;
  WebClient& operator=(const WebClient&) = delete;

  // The request's number, from 1 (0 once stopped); the worker starts with the
  // first request.
  uint32_t send(WebRequest request);
  // The earliest reply not yet taken, when it has arrived.
  bool takeReply(WebReply& reply);
  // Requests sent whose replies have not been taken.
  size_t outstanding() const;
  // Cuts short the request under way, drops the others and ends the worker:
  // `arrived` is never called after this returns, and nothing more is sent.
  void stop();

 private:
  void work();

  std::function<void()> arrived_;
  Transfer transfer_;
  mutable std::mutex mutex_;
  std::condition_variable wanted_;
  struct Numbered {
    uint32_t number;
    WebRequest request;
  };
  std::deque<Numbered> requests_;  // not yet carried out
  std::deque<WebReply> replies_;   // arrived, not yet taken
  size_t outstanding_ = 0;
  uint32_t lastNumber_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread worker_;  // started with the first request
};

}  // namespace services
