// Keeping a day's top rows for a moment.
#include "server/board_cache.hpp"

namespace {

// Answers kept at most: days and limits are the client's to choose.
constexpr size_t MostEntries = 1024;

}  // namespace

void BoardCache::forget() {
  std::lock_guard lock(mutex_);
  ++generation_;
  entries_.clear();
}

BoardCache::Lookup BoardCache::find(int32_t day, int32_t limit, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  const auto found = entries_.find({day, limit});
  if (found == entries_.end() || now < found->second.kept) return Lookup{std::nullopt, generation_};
  Entry& entry = found->second;
  if (now - entry.kept < KeptFor) return Lookup{entry.body, generation_};
  // Aged: this reader reads afresh, unless another already does (and has not
  // given up for as long as an answer is kept).
  if (entry.beingRefreshed && now - entry.refreshing < KeptFor) return Lookup{entry.body, generation_};
  entry.beingRefreshed = true;
  entry.refreshing = now;
  return Lookup{std::nullopt, generation_};
}

void BoardCache::keep(int32_t day, int32_t limit, uint64_t generation, std::string body, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  // An answer read before the last write is already out of date.
  if (generation != generation_) return;
  if (entries_.size() >= MostEntries) entries_.clear();
  entries_[{day, limit}] = Entry{generation, now, {}, false, std::move(body)};
}
