// The one queue of window timers. A timer is known by its window and id;
// starting a running timer restarts it. Timers due at the same moment fire in
// the order they were (re)started, so a run is repeatable. Fixed capacity:
// starting, stopping and ticking never allocate.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/mz_types.hpp"

class TimerQueue {
 public:
  static constexpr size_t Capacity = 64;

  struct Timer {
    WindowHandle window = 0;
    uint32_t id = 0;
    uint32_t periodMs = 0;
    uint64_t dueMs = 0;
  };

  // Starts the timer, or restarts it with the new period; its first tick is
  // one period from now. A period of 0 counts as 1 ms. False when full.
  bool start(WindowHandle window, uint32_t id, uint32_t periodMs, uint64_t nowMs);
  // False when no such timer runs.
  bool stop(WindowHandle window, uint32_t id);
  void stopAll(WindowHandle window);
  void clear() {
    count_ = 0;
    paused_ = false;
    pausedTotalMs_ = 0;
  }

  // Stops time for every timer: none is due until `resume`, which moves every
  // due time on by the time spent paused. A timer started while paused counts
  // its period from the moment of the pause. Pausing twice changes nothing.
  void pause(uint64_t nowMs);
  void resume(uint64_t nowMs);
  bool paused() const { return paused_; }
  // The time the timers have run: `nowMs` less every pause so far.
  uint64_t runningMs(uint64_t nowMs) const;

  // When the earliest timer is due; UINT64_MAX when none runs or paused.
  uint64_t nextDueMs() const;
  // Takes the first timer due at or before `nowMs` and schedules its next
  // tick a period later (ticks missed before `nowMs` are dropped, not
  // bunched). False when none is due or the queue is paused. The message loop
  // asks at each timer's own due moment, so that a late live loop still fires
  // the ticks its replay fires.
  bool popDue(uint64_t nowMs, Timer& due);

  // The running timers in the order they were (re)started.
  size_t size() const { return count_; }
  const Timer& operator[](size_t index) const { return timers_[index]; }

 private:
  size_t find(WindowHandle window, uint32_t id) const;
  void removeAt(size_t index);

  std::array<Timer, Capacity> timers_{};
  size_t count_ = 0;
  bool paused_ = false;
  uint64_t pausedAtMs_ = 0;
  uint64_t pausedTotalMs_ = 0;
};
