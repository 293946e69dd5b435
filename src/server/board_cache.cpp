// Keeping a day's top rows for a moment.
#include "server/board_cache.hpp"

namespace {

// Answers kept at most: days and limits are the client's to choose.
constexpr size_t MostEntries = 1024;

}  // namespace

uint64_t BoardCache::generation() const {
  std::lock_guard lock(mutex_);
  return generation_;
}

void BoardCache::forget() {
  std::lock_guard lock(mutex_);
  ++generation_;
  entries_.clear();
}

std::optional<std::string> BoardCache::find(int32_t day, int32_t limit, Clock::time_point now) const {
  std::lock_guard lock(mutex_);
  const auto entry = entries_.find({day, limit});
  if (entry == entries_.end() || entry->second.generation != generation_ || now - entry->second.kept >= KeptFor ||
      now < entry->second.kept)
    return std::nullopt;
  return entry->second.body;
}

void BoardCache::keep(int32_t day, int32_t limit, uint64_t generation, std::string body, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  // An answer read before the last write is already out of date.
  if (generation != generation_) return;
  if (entries_.size() >= MostEntries) entries_.clear();
  entries_[{day, limit}] = Entry{generation, now, std::move(body)};
}
