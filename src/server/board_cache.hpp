// The answers to the most asked read, a day's top rows, kept for a moment:
// until the next write through this server, and a second at most, so that
// writes through other servers on the same database show within a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

class BoardCache {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration KeptFor = std::chrono::seconds(1);

  // The generation to give `keep` for an answer read from the database after
  // this call.
  uint64_t generation() const;
  // A write was committed: nothing kept before it is given again.
  void forget();
  std::optional<std::string> find(int32_t day, int32_t limit, Clock::time_point now) const;
  void keep(int32_t day, int32_t limit, uint64_t generation, std::string body, Clock::time_point now);

 private:
  struct Entry {
    uint64_t generation = 0;
    Clock::time_point kept;
    std::string body;
  };

  mutable std::mutex mutex_;
  uint64_t generation_ = 0;
  std::map<std::pair<int32_t, int32_t>, Entry> entries_;
};
