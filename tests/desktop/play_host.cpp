// The fixed-step host: waits move the virtual clock, taps are a press and a
// release at the same moment.
#include "play_host.hpp"

#include <algorithm>

bool PlayHost::waitEvent(uint64_t deadlineMs, HostEvent& event) {
  for (;;) {
    if (waitUntilMs_ > clockMs_) {
      if (deadlineMs <= waitUntilMs_) {  // something is due during the wait
        clockMs_ = std::max(clockMs_, deadlineMs);
        return false;
      }
      clockMs_ = waitUntilMs_;
    }
    if (deadlineMs <= clockMs_) return false;
    event = HostEvent{};
    if (releasePending_) {
      releasePending_ = false;
      event.kind = HostEvent::Kind::PointerUp;
      event.x = releaseX_;
      event.y = releaseY_;
      return true;
    }
    if (next_ == steps_.size()) {
      event.kind = HostEvent::Kind::Close;
      return true;
    }
    const PlayStep& step = steps_[next_++];
    switch (step.kind) {
      case PlayStep::Kind::Wait:
        waitUntilMs_ = clockMs_ + step.value;
        break;
      case PlayStep::Kind::Tap:
        event.kind = HostEvent::Kind::PointerDown;
        event.x = releaseX_ = step.x;
        event.y = releaseY_ = step.y;
        releasePending_ = true;
        return true;
      case PlayStep::Kind::Key:
        event.kind = HostEvent::Kind::Key;
        event.key = step.key;
        return true;
      case PlayStep::Kind::Command:
        event.kind = HostEvent::Kind::Command;
        event.id = step.value;
        event.arg = step.x;
        return true;
    }
  }
}
