// A token bucket per client address: each request takes a token; a bucket
// holds at most `burst` and fills at `perSecond`. A limit of 0 lets every
// request through. Safe to call from any thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

class RateLimiter {
 public:
  using Clock = std::chrono::steady_clock;

  RateLimiter(double burst, double perSecond);
  // "N a minute" and "N a second": a burst of N, refilled over the period.
  static RateLimiter perMinute(int count) { return RateLimiter(count, count / 60.0); }
  static RateLimiter perSecond(int count) { return RateLimiter(count, count); }

  // Takes a token for `client`: 0 when there was one, else the seconds until
  // there will be (the request is refused and takes nothing).
  double take(const std::string& client, Clock::time_point now);
  size_t clientsTracked() const;

 private:
  struct Bucket {
    double tokens = 0;
    Clock::time_point filled;
  };
  // Forgets the buckets that have filled up again: they hold nothing a new
  // bucket would not. Keeps the table as small as the clients of the last moments.
  void forgetFullBuckets(Clock::time_point now);

  double burst_;
  double perSecond_;
  mutable std::mutex mutex_;
  std::unordered_map<std::string, Bucket> buckets_;
  size_t sweepAt_;
};
