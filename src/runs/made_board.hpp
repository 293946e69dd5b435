// The board a player is making, and the token of its maker's clear while the
// board stands as it was cleared. Every change to the board takes the clear
// back, so that only a board its maker cleared as it stands can be shared.
// Plain data, no platform dependency.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "rules/board.hpp"
#include "runs/run.hpp"

namespace runs {

struct MadeBoard {
  Board board;
  std::string clearToken;  // the board token of this very board's clear; empty until cleared
  bool cleared() const { return !clearToken.empty(); }
  bool operator==(const MadeBoard&) const = default;
};

// A new board: the first level's tubes, target score and key rule, with `seed`.
MadeBoard newMadeBoard(uint32_t seed);
// The tube's next state, in the order empty, each colour's one to three
// measures, spoiled, and empty again. Nothing for a slot past the tubes.
void cycleTube(MadeBoard& made, size_t slot);
// The target score one step up (direction > 0) or down, within the limits a
// board may ask; false, with nothing changed, at a limit.
bool stepTargetScore(MadeBoard& made, int32_t direction);
// Other colours: the board's seed becomes `seed`.
void recolour(MadeBoard& made, uint32_t seed);
// Keeps `run` (a proven run that claimed the board) as the clear, when it was
// played on this very board; false otherwise, with nothing changed.
bool keepClear(MadeBoard& made, const Run& run);
// A seed for new colours, unlike `last`: `salt` is anything that differs from
// one moment to the next (the game's clock), so a replayed session draws the
// same seeds.
uint32_t nextBoardSeed(uint32_t last, uint32_t salt);

}  // namespace runs
