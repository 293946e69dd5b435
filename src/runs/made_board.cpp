// Making a board: each edit is a change of the board, which takes its clear back.
#include "runs/made_board.hpp"

#include "rules/colour_state.hpp"
#include "runs/board_token.hpp"

namespace runs {

MadeBoard newMadeBoard(uint32_t seed) {
  MadeBoard made;
  levelBoard(FirstLevel, made.board);
  made.board.seed = seed;
  return made;
}

void cycleTube(MadeBoard& made, size_t slot) {
  if (slot >= made.board.tubes.size()) return;
  int32_t& tube = made.board.tubes[slot];
  tube = tube >= TargetSpoiled ? TargetEmpty : tube + 1;
  made.clearToken.clear();
}

bool stepTargetScore(MadeBoard& made, int32_t direction) {
  const int32_t score = made.board.targetScore + (direction > 0 ? BoardScoreStep : -BoardScoreStep);
  if (score < MinBoardScore || score > MaxBoardScore) return false;
  made.board.targetScore = score;
  made.clearToken.clear();
  return true;
}

void recolour(MadeBoard& made, uint32_t seed) {
  made.board.seed = seed;
  made.clearToken.clear();
}

bool keepClear(MadeBoard& made, const Run& run) {
  if (!run.board || *run.board != made.board) return false;
  made.clearToken = encodeBoardToken(run);
  return true;
}

// One round of a well-mixing 32-bit hash over the last seed and the salt; a
// result equal to the last seed is moved on by one.
uint32_t nextBoardSeed(uint32_t last, uint32_t salt) {
  uint32_t x = last ^ (salt * 0x9E3779B9u);
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x == last ? x + 1 : x;
}

}  // namespace runs
