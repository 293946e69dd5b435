// The names of the run's action kinds.
#include "runs/run.hpp"

#include <array>

namespace runs {

std::string_view actionKindName(ActionKind kind) {
  static constexpr std::array<std::string_view, ActionKindCount> Names = {
      "left", "right", "fire", "claim", "repair", "buy", "pause", "resume"};
  const auto index = static_cast<size_t>(kind);
  return index < Names.size() ? Names[index] : "unknown";
}

uint32_t playTimeMs(const Run& run) {
  uint32_t paused = 0;
  uint32_t pausedAt = 0;
  bool inPause = false;
  for (const RunAction& action : run.actions) {
    if (action.kind == ActionKind::Pause && !inPause) {
      pausedAt = action.tickMs;
      inPause = true;
    } else if (action.kind == ActionKind::Resume && inPause) {
      paused += action.tickMs - pausedAt;
      inPause = false;
    }
  }
  const uint32_t last = run.actions.empty() ? 0 : run.actions.back().tickMs;
  return last - paused - (inPause ? last - pausedAt : 0);
}

}  // namespace runs
