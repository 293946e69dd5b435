// The level-passed screen a claim opens. The claim and the purchases
// themselves are play's.
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::showLevelPassed(bool firstClaim) {
  overlayPicture.SetVisible(true);
  images.levelPassedImage.LoadImageW(imagePath(ImageFile::levelPassed), true, true, true);
  overlayPicture.SetPos(0, 0, 480, 720, 0);
  overlayPicture.SetImage(&images.levelPassedImage);
  openScreens.overlay = Overlay::Passed;
  overlayPicture.Invalidate();
  toolbar.SetVisible(false);
  // Shown on every claim: a level reset from level 2 on hides the group,
  // and that may happen before it is first built.
  if (!choiceButtonsBuilt) buildChoiceButtons();
  showChoiceButtons();
  // A day's challenge keeps no level records: its attempt ends here instead.
  if (firstClaim && daily.dayInPlay == 0) recordMarkPicture.SetVisible(recordClaim());
  endDailyAttempt();
}
