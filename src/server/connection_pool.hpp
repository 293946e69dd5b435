// A fixed set of database connections lent to request threads one at a time:
// a connection serves one thread at once, and a thread waits while all are out.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

template <typename Connection>
class ConnectionPool {
 public:
  // Opens `size` connections with `open` (which may throw: then nothing is kept).
  ConnectionPool(size_t size, const std::function<std::unique_ptr<Connection>()>& open) {
    for (size_t i = 0; i < size; ++i) idle_.push_back(open());
  }

  // Runs `work` with a connection of its own and gives the connection back,
  // also when `work` throws.
  template <typename Work>
  auto with(Work&& work) {
    std::unique_ptr<Connection> connection = borrow();
    struct Return {
      ConnectionPool& pool;
      std::unique_ptr<Connection>& connection;
      ~Return() { pool.giveBack(std::move(connection)); }
    } giveBack{*this, connection};
    return work(*connection);
  }

 private:
  std::unique_ptr<Connection> borrow() {
    std::unique_lock lock(mutex_);
    returned_.wait(lock, [this] { return !idle_.empty(); });
    std::unique_ptr<Connection> connection = std::move(idle_.back());
    idle_.pop_back();
    return connection;
  }

  void giveBack(std::unique_ptr<Connection> connection) {
    {
      std::lock_guard lock(mutex_);
      idle_.push_back(std::move(connection));
    }
    returned_.notify_one();
  }

  std::mutex mutex_;
  std::condition_variable returned_;
  std::vector<std::unique_ptr<Connection>> idle_;
};
