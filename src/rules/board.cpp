#include "rules/board.hpp"

#include "rules/colour_state.hpp"

bool levelBoard(int32_t level, Board& board) {
  const LevelLayout* layout = levelLayout(level);
  if (layout == nullptr) return false;
  board = Board{layout->startStates, layout->targetScore, level > FirstLevel, ColourGenerator::UnseededState};
  return true;
}

bool boardIsValid(const Board& board) {
  for (const int32_t tube : board.tubes) {
    if (tube < TargetEmpty || tube > TargetSpoiled) return false;
  }
  return board.targetScore >= MinBoardScore && board.targetScore <= MaxBoardScore &&
         board.targetScore % BoardScoreStep == 0;
}
