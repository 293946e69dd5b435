// Where a replayed run's sprayer stood and what its score was, by game tick:
// the race's ghost reads it and never writes to the game.
#pragma once

#include <cstdint>
#include <vector>

namespace runs {

struct GhostState {
  int32_t sprayerX = 0;
  int32_t score = 0;
  bool operator==(const GhostState&) const = default;
};

class GhostTrack {
 public:
  // Notes the state from `tickMs` on; ticks come in order.
  void note(uint32_t tickMs, const GhostState& state);
  // The state at `tickMs` (the first noted state before any).
  GhostState at(uint32_t tickMs) const;
  bool empty() const { return samples_.empty(); }

 private:
  struct Sample {
    uint32_t tickMs;
    GhostState state;
  };
  std::vector<Sample> samples_;
};

}  // namespace runs
