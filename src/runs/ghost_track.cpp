// The ghost's samples, looked up by tick.
#include "runs/ghost_track.hpp"

#include <algorithm>

namespace runs {

void GhostTrack::note(uint32_t tickMs, const GhostState& state) {
  if (!samples_.empty() && samples_.back().state == state) return;
  if (!samples_.empty() && samples_.back().tickMs == tickMs) {
    samples_.back().state = state;
    return;
  }
  samples_.push_back(Sample{tickMs, state});
}

GhostState GhostTrack::at(uint32_t tickMs) const {
  if (samples_.empty()) return {};
  const auto after = std::upper_bound(samples_.begin(), samples_.end(), tickMs,
                                      [](uint32_t tick, const Sample& sample) { return tick < sample.tickMs; });
  return after == samples_.begin() ? samples_.front().state : std::prev(after)->state;
}

}  // namespace runs
