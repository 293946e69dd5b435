// Claiming a level and the two purchases paid with points.
#include "rules/colour_state.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr int32_t ShotsPerPurchase = 25;

}  // namespace

void GameWindow::claimLevel() {
  if (keyRuleHolds()) {
    // The claim command sent again on the level-passed screen counts once.
    const bool firstClaim = !levelPassed;
    levelPassed = true;
    overlayPicture.SetVisible(true);
    images.levelPassedImage.LoadImageW(imagePath(ImageFile::levelPassed), true, true, true);
    overlayPicture.SetPos(0, 0, 480, 720, 0);
    overlayPicture.SetImage(&images.levelPassedImage);
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
  sound.playSound(SoundId::music);
}

// The points are spent even when no target is spoiled.
void GameWindow::repairTarget() {
  if (score < PurchasePrice) return;
  score -= PurchasePrice;
  scoreLabel.SetText(Int2String(score).C_Str());
  for (size_t k = 0; k < targetSlots.size(); ++k) {
    TargetSprite& target = targetSlots[k];
    if (target.state != TargetSpoiled) continue;
    refreshTarget(static_cast<int32_t>(k));
    target.state = TargetEmpty;
    setTargetPicture(target, TargetEmpty);
    target.Invalidate();
    attemptRepairedTube = true;
    break;
  }
  if (score < PurchasePrice) {
    repairButton.SetImage_Normal(repairDimImage);
    repairButton.SetImage_Pressed(repairLitImage);
    repairButton.Invalidate();
  }
  sound.playSound(SoundId::repaired);
}

void GameWindow::buyShots() {
  if (score < PurchasePrice) return;
  score -= PurchasePrice;
  scoreLabel.SetText(Int2String(score).C_Str());
  shotsLeft += ShotsPerPurchase;
  attemptBoughtShots = true;
  if (score < PurchasePrice) {
    buyShotsButton.SetImage_Normal(buyDimImage);
    buyShotsButton.SetImage_Pressed(buyLitImage);
    buyShotsButton.Invalidate();
  }
}
