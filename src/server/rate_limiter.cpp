// The token buckets of the rate limits.
#include "server/rate_limiter.hpp"

#include <algorithm>

namespace {

// The table is swept when it grows to this many clients, then at twice what
// the sweep left.
constexpr size_t FirstSweep = 1024;

}  // namespace

RateLimiter::RateLimiter(double burst, double perSecond)
    : burst_(burst), perSecond_(perSecond), sweepAt_(FirstSweep) {}

double RateLimiter::take(const std::string& client, Clock::time_point now) {
  if (burst_ <= 0) return 0;
  std::lock_guard lock(mutex_);
  auto [entry, added] = buckets_.try_emplace(client, Bucket{burst_, now});
  Bucket& bucket = entry->second;
  if (!added) {
    const double elapsed = std::chrono::duration<double>(now - bucket.filled).count();
    bucket.tokens = std::min(burst_, bucket.tokens + std::max(0.0, elapsed) * perSecond_);
    bucket.filled = std::max(bucket.filled, now);
  }
  if (bucket.tokens < 1) return (1 - bucket.tokens) / perSecond_;
  bucket.tokens -= 1;
  if (buckets_.size() >= sweepAt_) forgetFullBuckets(now);
  return 0;
}

void RateLimiter::forgetFullBuckets(Clock::time_point now) {
  std::erase_if(buckets_, [this, now](const auto& entry) {
    const double elapsed = std::chrono::duration<double>(now - entry.second.filled).count();
    return entry.second.tokens + elapsed * perSecond_ >= burst_;
  });
  sweepAt_ = std::max(FirstSweep, 2 * buckets_.size());
}

size_t RateLimiter::clientsTracked() const {
  std::lock_guard lock(mutex_);
  return buckets_.size();
}
