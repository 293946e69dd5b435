// A private game's clock, timers and silent host, swapped in and out around
// each piece of its play.
#include "platform/private_play.hpp"

#include <algorithm>

#include "platform/haptics.hpp"
#include "platform/host.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"
#include "platform/silent_host.hpp"
#include "platform/system/random.hpp"
#include "platform/timer_queue.hpp"

struct PrivatePlay::State {
  uint64_t clockMs = 0;
  TimerQueue timers;
  SilentHost host{clockMs};
  uint32_t randomState = 1;
  // The program's, while entered.
  TimerQueue* outerTimers = nullptr;
  const uint64_t* outerClock = nullptr;
  Host* outerHost = nullptr;
  uint32_t outerRandomState = 0;
  RandomSource outerRandomSource = nullptr;
  bool outerHaptics = false;
  bool outerPrivateWindows = false;
};

PrivatePlay::PrivatePlay() : state_(std::make_unique<State>()) {}
PrivatePlay::~PrivatePlay() = default;

PrivatePlay::Scope::Scope(PrivatePlay& play) : play_(play) {
  State& s = *play.state_;
  s.outerTimers = useTimerQueue(&s.timers);
  s.outerClock = useLoopClock(&s.clockMs);
  s.outerHost = currentHost();
  setCurrentHost(&s.host);
  s.outerRandomState = platformRandomState();
  s.outerRandomSource = setRandomSource(nullptr);
  platformSeedRandom(s.randomState);
  s.outerHaptics = hapticsEnabled();
  s.outerPrivateWindows = registerPrivateWindows(true);
}

PrivatePlay::Scope::~Scope() {
  State& s = *play_.state_;
  registerPrivateWindows(s.outerPrivateWindows);
  setHapticsEnabled(s.outerHaptics);
  s.randomState = platformRandomState();
  platformSeedRandom(s.outerRandomState);
  setRandomSource(s.outerRandomSource);
  setCurrentHost(s.outerHost);
  useLoopClock(s.outerClock);
  useTimerQueue(s.outerTimers);
}

uint64_t PrivatePlay::nowMs() const { return state_->clockMs; }

void PrivatePlay::advanceTo(uint64_t ms, const std::function<void()>& afterTimer) {
  State& s = *state_;
  TimerQueue::Timer due;
  while (s.timers.nextDueMs() <= ms) {
    s.clockMs = std::max(s.clockMs, s.timers.nextDueMs());
    if (!s.timers.popDue(s.clockMs, due)) break;
    if (CMzWnd* window = windowFromHandle(due.window)) window->OnTimer(due.id);
    if (afterTimer) afterTimer();
  }
  s.clockMs = std::max(s.clockMs, ms);
}
