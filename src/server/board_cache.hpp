// The answers to the most asked read, a day's top rows, kept for a moment:
// until the next write through this server, and a second at most, so that
// writes through other servers on the same database show within a second or
// so. When a kept answer has aged, one reader reads it afresh while the others
// are still given the aged one, so that the database sees one read, not a
// crowd at once.
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

  struct Lookup {
    std::optional<std::string> body;  // the answer to give, when there is one
    uint64_t generation = 0;          // to give `keep` with the answer read afresh
  };
  // An answer, or nothing: then the caller reads it from the database and
  // keeps it.
  Lookup find(int32_t day, int32_t limit, Clock::time_point now);
  // A write was committed: nothing kept before it is given again.
  void forget();
  // Keeps an answer read after `find` gave `generation`, unless a write came since.
  void keep(int32_t day, int32_t limit, uint64_t generation, std::string body, Clock::time_point now);

 private:
  struct Entry {
    uint64_t generation = 0;
    Clock::time_point kept;
    Clock::time_point refreshing;  // when a reader set out to read it afresh
    bool beingRefreshed = false;
    std::string body;
  };

  std::mutex mutex_;
  uint64_t generation_ = 0;
  std::map<std::pair<int32_t, int32_t>, Entry> entries_;
};
