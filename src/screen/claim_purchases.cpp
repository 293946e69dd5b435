// The full-screen pictures over the game: the level passed, which a claim
// opens, and the game over. The claim and the purchases themselves are play's.
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::showOverlay(Overlay overlay) {
  const bool passed = overlay == Overlay::Passed;
  ImagingHelper& image = passed ? images.levelPassedImage : images.gameOverImage;
  overlayPicture.SetVisible(true);
  image.LoadImageW(imagePath(passed ? ImageFile::levelPassed : ImageFile::gameOver), true, true, true);
  overlayPicture.SetPos(0, 0, 480, 720, 0);
  overlayPicture.SetImage(&image);
  openScreens.overlay = overlay;
  overlayPicture.Invalidate();
}

void GameWindow::showLevelPassed(bool firstClaim) {
  // A board's claim goes straight back to its screen, its result kept.
  if (daily.boardInPlay != BoardInPlay::None) {
    returnFromBoardAttempt();
    return;
  }
  showOverlay(Overlay::Passed);
  toolbar.SetVisible(false);
  // Shown on every claim: a level reset from level 2 on hides the group,
  // and that may happen before it is first built.
  if (!choiceButtonsBuilt) buildChoiceButtons();
  showChoiceButtons();
  // A day's challenge keeps no level records: its attempt ends here instead.
  if (firstClaim && daily.dayInPlay == 0) recordMarkPicture.SetVisible(recordClaim());
  endDailyAttempt();
}
