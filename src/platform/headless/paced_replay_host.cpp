// Pacing a script's virtual clock to the window's real one.
#include "platform/headless/paced_replay_host.hpp"

PacedReplayHost::PacedReplayHost(Host& window, std::istream& script, std::ostream& out, std::ostream& err)
    : window_(window), script_(script, out, err), startMs_(window.nowMs()) {}

bool PacedReplayHost::waitEvent(uint64_t deadlineMs, HostEvent& event) {
  // The script decides what comes next and when; its clock moves there at once.
  if (!held_) {
    HostEvent next;
    if (script_.waitEvent(deadlineMs, next)) held_ = next;
  }
  // Then the window waits until real time catches up. Only its close and
  // wakes pass: the viewer's own clicks and keys do not steer a replay, and
  // the focus leaving the window does not pause it.
  const uint64_t dueOnWindow = startMs_ + script_.nowMs();
  HostEvent live;
  while (window_.nowMs() < dueOnWindow) {
    if (!window_.waitEvent(dueOnWindow, live)) break;
    if (live.kind == HostEvent::Kind::Close || live.kind == HostEvent::Kind::Wake) {
      if (live.kind == HostEvent::Kind::Close) held_.reset();
      event = live;
      return true;
    }
  }
  if (!held_) return false;
  event = *held_;
  held_.reset();
  return true;
}
