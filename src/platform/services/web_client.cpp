// The worker thread of the web requests and the two queues it shares with
// the game's thread.
#include "platform/services/web_client.hpp"

#include <utility>

namespace services {

WebClient::WebClient(std::function<void()> arrived, Transfer transfer)
    : arrived_(std::move(arrived)), transfer_(std::move(transfer)) {}

WebClient::~WebClient() { stop(); }

void WebClient::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wanted_.notify_all();
  if (worker_.joinable()) worker_.join();
}

uint32_t WebClient::send(WebRequest request) {
  uint32_t number = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return 0;
    number = ++lastNumber_;
    requests_.push_back(Numbered{number, std::move(request)});
    ++outstanding_;
    if (!worker_.joinable()) worker_ = std::thread([this] { work(); });
  }
  wanted_.notify_one();
  return number;
}

bool WebClient::takeReply(WebReply& reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (replies_.empty()) return false;
  reply = std::move(replies_.front());
  replies_.pop_front();
  --outstanding_;
  return true;
}

size_t WebClient::outstanding() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return outstanding_;
}

void WebClient::work() {
  for (;;) {
    Numbered next;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wanted_.wait(lock, [this] { return stopping_ || !requests_.empty(); });
      if (stopping_) return;
      next = std::move(requests_.front());
      requests_.pop_front();
    }
    WebReply reply = transfer_(next.request, stopping_);
    reply.request = next.number;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
      replies_.push_back(std::move(reply));
    }
    if (arrived_) arrived_();
  }
}

}  // namespace services
