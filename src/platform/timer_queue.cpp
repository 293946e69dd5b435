// Window timers ordered by due time, ties by (re)start order; pausing.
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
  const uint64_t from = paused_ ? pausedAtMs_ : nowMs;
  timers_[count_++] = Timer{window, id, period, from + period};
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

void TimerQueue::pause(uint64_t nowMs) {
  if (paused_) return;
  paused_ = true;
  pausedAtMs_ = nowMs;
}

void TimerQueue::resume(uint64_t nowMs) {
  if (!paused_) return;
  paused_ = false;
  const uint64_t pausedFor = nowMs > pausedAtMs_ ? nowMs - pausedAtMs_ : 0;
  for (size_t i = 0; i < count_; ++i) timers_[i].dueMs += pausedFor;
  pausedTotalMs_ += pausedFor;
}

uint64_t TimerQueue::runningMs(uint64_t nowMs) const {
  const uint64_t pausedMs = pausedTotalMs_ + (paused_ && nowMs > pausedAtMs_ ? nowMs - pausedAtMs_ : 0);
  return nowMs > pausedMs ? nowMs - pausedMs : 0;
}

uint64_t TimerQueue::nextDueMs() const {
  uint64_t next = std::numeric_limits<uint64_t>::max();
  if (paused_) return next;
  for (size_t i = 0; i < count_; ++i) next = std::min(next, timers_[i].dueMs);
  return next;
}

bool TimerQueue::popDue(uint64_t nowMs, Timer& due) {
  if (paused_) return false;
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
