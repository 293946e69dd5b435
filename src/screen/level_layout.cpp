// Putting a level on the board and resetting everything that belongs to one
// attempt at it.
#include "screen/game_window.hpp"

#include "play/play.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::LoadLevel(int32_t level, bool fresh) {
  Board board;
  if (!levelBoard(level, board)) return;
  recordLevelReached(level);
  loadBoard(level, board, fresh);
}

void GameWindow::loadBoard(int32_t level, const Board& board, bool fresh) {
  prepareForPlay();
  play.level = level;
  play.asksMixedKey = board.asksMixedKey;
  if (level == FirstLevel) {
    // Level 1 not fresh replaces the board only and keeps the attempt.
    if (fresh) {
      play.targetScore = board.targetScore;
      resetLevelState();
    }
    placeLayout(board);
    return;
  }
  placeLayout(board);
  play.targetScore = board.targetScore;
  resetLevelState();
}

void GameWindow::placeLayout(const Board& board) {
  play.layBoard(board);
  for (size_t k = 0; k < targetSlots.size(); ++k) {
    TargetSprite& target = targetSlots[k];
    placeTargetAt(target, targetHomeX[k], targetHomeY);
    Invalidate(nullptr, 0);
    setTargetPicture(target, play.tubes[k]);
    target.Invalidate();
    lastPlacedTarget = &target;
  }
  lastPlacedTarget->Invalidate();
}

// The settings record keeps the highest level reached, saved at once so that
// progress survives a crash.
void GameWindow::recordLevelReached(int32_t level) {
  // A day's challenge does not change the saved level.
  if (level <= settings.level || daily.dayInPlay != 0) return;
  settings.level = level;
  settings.Save();
}

void GameWindow::resetLevelState() {
  if (currentLevel > 1) hideChoiceButtons();
  toolbar.SetVisible(true);
  overlayPicture.SetVisible(false);
  openScreens.overlay = Overlay::None;
  recordMarkPicture.SetVisible(false);
  hideGameOverButtons();
  startAttemptRecord();

  play.resetAttempt();
  scoreLabel.SetText(u"0");
  showPreview();
  showFullTimeBar();

  levelLabel.SetText(Int2String(currentLevel).C_Str());

  repairButton.SetImage_Normal(repairDimImage);
  repairButton.SetImage_Pressed(repairLitImage);
  repairButton.Invalidate();
  passIndicator.SetImage_Normal(passDimImage);
  passIndicator.SetImage_Pressed(passLitImage);
  passIndicator.Invalidate();
  buyShotsButton.SetImage_Normal(buyDimImage);
  buyShotsButton.SetImage_Pressed(buyLitImage);
  buyShotsButton.Invalidate();

  for (size_t k = 0; k < keyPictures.size(); ++k) {
    KeySprite& key = keyPictures[k];
    key.SetPos(0, 0, 0, 0, 0);
    setKeyPicture(key, static_cast<int32_t>(k));
    key.Invalidate();
    lastEarnedKey = &key;
  }
}
