// An attempt at a board, made or received: seeded from the board and recorded
// at the action door as a day's attempt is, its run proven when it ends. The
// made board's claim becomes its clear; a received board's attempts are its
// records. Both are kept in the boards file.
#include <optional>

#include "platform/focus_navigation.hpp"
#include "platform/mz_functions.hpp"
#include "platform/services/debug_output.hpp"
#include "platform/system/utf.hpp"
#include "runs/board_token.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

bool GameWindow::startBoardAttempt(const Board& board, TimeMode mode, const runs::GhostTrack* ghost,
                                   BoardInPlay whose) {
  if (whose == BoardInPlay::None || !boardIsValid(board)) return false;
  // The ghost may be this window's own, which leaving daily play clears.
  const runs::GhostTrack raced = ghost != nullptr ? *ghost : runs::GhostTrack{};
  leaveDailyPlay();
  daily.official = false;
  daily.boardInPlay = whose;
  daily.run = runs::Run{};
  daily.run.board = board;
  daily.run.timeMode = mode;
  daily.racing = ghost != nullptr;
  daily.ghost = raced;
  // Tried from its start: a crash during it still counts.
  if (whose == BoardInPlay::Received) {
    boards.received.noteTry(runs::boardId(board));
    saveBoardsFile();
  }
  beginSeededAttempt(board.seed, mode, Play::BoardCloudLevel, board);
  return true;
}

void GameWindow::keepBoardResult() {
  // The result is what the moves come to when replayed, never the live fields.
  const RunVerdict verdict = verifyRun(daily.run);
  if (!verdict.accepted() || !daily.run.board) {
    const std::string line = "quandrel: the board's run does not replay (" +
                             std::string(runs::refusalName(verdict.refusal)) + "); its result is not kept";
    services::OutputDebugStringW(utf16FromUtf8(line).c_str());
    return;
  }
  if (daily.boardInPlay == BoardInPlay::Made) {
    if (verdict.result.claimed && boards.made && runs::keepClear(*boards.made, daily.run)) saveBoardsFile();
    return;
  }
  boards.received.noteResult(runs::boardId(*daily.run.board), verdict.result);
  saveBoardsFile();
}

// The game under the menu again, and the board's screen over it: the maker
// (on Share when it was cleared) or the received board's, with its records
// (the menu when another board was opened meanwhile).
void GameWindow::returnFromBoardAttempt() {
  const BoardInPlay whose = daily.boardInPlay;
  const std::optional<Board> played = daily.run.board;
  leaveDailyPlay();
  play.levelPassed = false;
  play.gameOver = false;
  play.paused = false;
  inGame = false;
  toolbar.SetVisible(false);
  hideChoiceButtons();
  hideGameOverButtons();
  overlayPicture.SetVisible(false);
  openScreens.overlay = Overlay::None;
  KillTimer(m_hWnd, TimerId::timeBar);
  menuPicture.SetVisible(true);
  openScreens.menu = true;
  if (whose == BoardInPlay::Made) {
    showMaker();
    if (boards.made && boards.made->cleared()) focusOnControl(&maker.share.button);
  } else if (receivedBoard.proof && receivedBoard.proof->accepted() && receivedBoard.proof->run.board == played) {
    setBoardScreenVisible(true);
    showReceivedBoard();
  } else {
    showMenuButtons();  // another board was opened while the attempt waited under the menu
  }
  Invalidate(nullptr, 0);
}

void GameWindow::saveBoardsFile() {
  if (boardsPath.empty() || saveBoards(boardsPath, boards) || boardsSaveWarned) return;
  const std::string line = "quandrel: cannot save the boards file " + boardsPath;
  services::OutputDebugStringW(utf16FromUtf8(line).c_str());
  boardsSaveWarned = true;
}
