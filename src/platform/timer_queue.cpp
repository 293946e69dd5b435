// Window timers ordered by due time, ties by (re)start order.
#include "platform/timer_queue.hpp"

#include <algorithm>
#include <limits>

size_t TimerQueue::find(WindowHandle window, uint32_t id) const {
  for (size_t i = 0; i < count_; ++i) {
    if (timers_[i].window == window && timers_[i].id == id) return i;
  }
  return count_;
}

void TimerQueue::removeAt(size_t index) {
  std::copy(timers_.begin() + static_cast<std::ptrdiff_t>(index) + 1,
            timers_.begin() + static_cast<std::ptrdiff_t>(count_), timers_.begin() + static_cast<std::ptrdiff_t>(index));
  --count_;
}

bool TimerQueue::start(WindowHandle window, uint32_t id, uint32_t periodMs, uint64_t nowMs) {
  // A restarted timer moves to the end: it is now the latest (re)started.
  if (const size_t index = find(window, id); index < count_) removeAt(index);
  if (count_ == Capacity) return false;
  const uint32_t period = std::max<uint32_t>(periodMs, 1);
  timers_[count_++] = Timer{window, id, period, nowMs + period};
  return true;
}

bool TimerQueue::stop(WindowHandle window, uint32_t id) {
  const size_t index = find(window, id);
  if (index == count_) return false;
  removeAt(index);
  return true;
}

void TimerQueue::stopAll(WindowHandle window) {
  size_t kept = 0;
  for (size_t i = 0; i < count_; ++i) {
    if (timers_[i].window != window) timers_[kept++] = timers_[i];
  }
  count_ = kept;
}

uint64_t TimerQueue::nextDueMs() const {
  uint64_t next = std::numeric_limits<uint64_t>::max();
  for (size_t i = 0; i < count_; ++i) next = std::min(next, timers_[i].dueMs);
  return next;
}

bool TimerQueue::popDue(uint64_t nowMs, Timer& due) {
  size_t first = count_;
  for (size_t i = 0; i < count_; ++i) {
    // Strictly earlier wins, so among equal due times the earliest started does.
    if (timers_[i].dueMs <= nowMs && (first == count_ || timers_[i].dueMs < timers_[first].dueMs)) first = i;
  }
  if (first == count_) return false;
  Timer& timer = timers_[first];
  due = timer;
  timer.dueMs += timer.periodMs;
  if (timer.dueMs <= nowMs) timer.dueMs = nowMs + timer.periodMs;
  return true;
}
