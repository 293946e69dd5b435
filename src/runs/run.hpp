// A run: what a player did in one attempt at a day's challenge or at a board,
// as game-level actions with the game tick of each. Plain data, no platform
// dependency.
// Scores are never stored in a run: replaying the actions works them out.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "rules/board.hpp"
#include "rules/time_mode.hpp"

namespace runs {

// The layout of a run token. A reader refuses a higher one as "newer".
inline constexpr uint32_t RunFormatVersion = 1;
// The revision of the rules a run is replayed by; raised whenever play would
// replay differently.
inline constexpr uint32_t RulesRevision = 1;

// The game-level actions. New kinds are added at the end, never reordered, so
// that old runs keep their meaning.
enum class ActionKind : uint8_t {
  StepLeft,   // the sprayer one step left
  StepRight,  // the sprayer one step right
  Fire,       // the toolbar's fire button
  Claim,      // the toolbar's claim button
  Repair,     // the repair button
  Buy,        // the buy-shots button
  Pause,      // the toolbar's back button: the game waits under the menu
  Resume,     // continue from the menu
};
inline constexpr uint8_t ActionKindCount = 8;

// "left", "right", "fire", "claim", "repair", "buy", "pause", "resume".
std::string_view actionKindName(ActionKind kind);

struct RunAction {
  uint32_t tickMs = 0;  // game time since the attempt began
  ActionKind kind = ActionKind::Fire;
  bool operator==(const RunAction&) const = default;
};

// A day's run names its day and level; a board's run carries its board
// instead, and has neither.
struct Run {
  uint32_t formatVersion = RunFormatVersion;
  uint32_t rulesRevision = RulesRevision;
  int32_t day = 0;    // 1 = 2026-12-01
  int32_t level = 0;  // 1..10
  TimeMode timeMode = TimeMode::Normal;
  std::vector<RunAction> actions;  // in tick order
  std::optional<Board> board;
  bool operator==(const Run&) const = default;
};

// The run's play time: from its start to its last action, less the time it
// spent paused under the menu.
uint32_t playTimeMs(const Run& run);

}  // namespace runs
