// Putting a level on the board and resetting everything that belongs to one
// attempt at it.
#include "screen/game_window.hpp"

#include "rules/level_table.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::LoadLevel(int32_t level, bool fresh) {
  const LevelLayout* layout = levelLayout(level);
  if (layout == nullptr) return;
  prepareForPlay();
  recordLevelReached(level);
  if (level == FirstLevel) {
    // Level 1 not fresh replaces the board only and keeps the attempt.
    if (fresh) {
      levelTargetScore = layout->targetScore;
      resetLevelState();
    }
    placeLayout(level);
    return;
  }
  placeLayout(level);
  levelTargetScore = layout->targetScore;
  resetLevelState();
}

void GameWindow::placeLayout(int32_t level) {
  const LevelLayout& layout = *levelLayout(level);
  for (size_t k = 0; k < targetSlots.size(); ++k) {
    TargetSprite& target = targetSlots[k];
    placeTargetAt(target, targetHomeX[k], targetHomeY);
    Invalidate(nullptr, 0);
    target.state = layout.startStates[k];
    setTargetPicture(target, target.state);
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
  recordMarkPicture.SetVisible(false);
  hideGameOverButtons();
  startAttemptRecord();

  levelPassed = false;
  gameOver = false;
  shotInFlight = false;
  score = 0;
  scoreLabel.SetText(u"0");
  mixedFromPrimaries = 0;
  hitPending = false;
  shotsLeft = 100;

  nextColour = 0;
  takeNextColour();

  timeBarRunning = true;
  placeTimeBar(480);
  images.timeBarImage.LoadImageW(imagePath(ImageFile::timeBar), true, true, true);
  showTimeBarPicture(*timeBar);
  timeBar->Invalidate();

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
    key.earned = false;
    key.SetPos(0, 0, 0, 0, 0);
    setKeyPicture(key, static_cast<int32_t>(k));
    key.Invalidate();
    lastEarnedKey = &key;
  }
}
