// A clock, a timer queue and a silent host of the test's own, swapped in for
// the program's while it lives: a game window's timers then fire only when
// the test moves the clock, each at its own moment, in the message loop's order.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/host.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"
#include "platform/silent_host.hpp"
#include "platform/timer_queue.hpp"

class TestClock {
 public:
  TestClock()
      : outerTimers_(useTimerQueue(&timers_)), outerClock_(useLoopClock(&clockMs_)), outerHost_(currentHost()) {
    setCurrentHost(&host_);
  }
  ~TestClock() {
    setCurrentHost(outerHost_);
    useLoopClock(outerClock_);
    useTimerQueue(outerTimers_);
  }
  TestClock(const TestClock&) = delete;
  TestClock& operator=(const TestClock&) = delete;

  uint64_t nowMs() const { return clockMs_; }
  // Fires each timer due at or before `ms`, each at its own moment, then sets the clock to `ms`.
  void advanceTo(uint64_t ms) {
    TimerQueue::Timer due;
    while (timers_.nextDueMs() <= ms) {
      clockMs_ = std::max(clockMs_, timers_.nextDueMs());
      if (!timers_.popDue(clockMs_, due)) break;
      if (CMzWnd* window = windowFromHandle(due.window)) window->OnTimer(due.id);
    }
    clockMs_ = std::max(clockMs_, ms);
  }

 private:
  uint64_t clockMs_ = 0;
  TimerQueue timers_;
  SilentHost host_{clockMs_};
  TimerQueue* outerTimers_;
  const uint64_t* outerClock_;
  Host* outerHost_;
};
