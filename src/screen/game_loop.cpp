// The play: firing, the falling shot and what its landing does, scoring,
// keys, the time bar and the game-over screen.
#include "platform/haptics.hpp"
#include "platform/mz_functions.hpp"
#include "rules/colour_state.hpp"
#include "rules/shot_rules.hpp"
#include "rules/time_mode.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr int32_t ShotFallPerTick = 15;
constexpr int32_t ShotResolveY = 450;  // resolved on the tick that passes it
constexpr int32_t ShotGoneY = 500;     // hidden on the tick that passes it
constexpr int32_t CompletionPoints = 50;
constexpr int32_t SpoilPenalty = 30;
constexpr int32_t MixedKey = 6;
constexpr int32_t ScoreKey = 7;

bool isFullState(int32_t state) { return state >= 3 && state <= 18 && state % 3 == 0; }

}  // namespace

void GameWindow::OnTimer(uint32_t timerId) {
  switch (timerId) {
    case TimerId::shot: onShotTick(); break;
    case TimerId::timeBar: onTimeBarTick(); break;
    case TimerId::splash: onSplashTick(); break;
    case TimerId::lightning: onLightningTick(); break;
    case TimerId::cloud: onCloudTick(); break;
    case TimerId::glide: onGlideTick(); break;
    case TimerId::playback: onPlaybackTick(); break;
    case TimerId::ghost: onGhostTick(); break;
    default: break;
  }
}

// The shot timer is never stopped: once the shot has landed, or while the game
// is paused, its ticks do nothing until the next shot or the resume.
bool GameWindow::timerIdle(uint32_t timerId) const {
  if (timerId != TimerId::shot) return false;
  return flyingShot == nullptr || paused ||
         (!shotInFlight && !flyingShot->IsVisible() && flyingShot->GetPosY() >= ShotGoneY);
}

void GameWindow::restartTimeBar() {
  timeBarRunning = true;
  placeTimeBar(480);
  images.timeBarImage.LoadImageW(imagePath(ImageFile::timeBar), true, true, true);
  showTimeBarPicture(*timeBar);
  timeBar->Invalidate();
  SetTimer(m_hWnd, TimerId::timeBar, TimerPeriod::timeBar);
}

void GameWindow::fireShot() {
  // Every press restarts the time bar, even one that cannot launch a shot.
  if (!gameOver) restartTimeBar();
  if (!shotInFlight && shotsLeft > 0) {
    hitPending = true;
    shotsLeft -= 1;
    attemptShotsFired += 1;
    const auto colour = static_cast<size_t>(currentColour);
    placeShot(currentColour);
    flyingShot = &shotPictures[colour];
    images.shotImage.LoadImageW(imagePath(ImageFile::shots[colour]), true, true, true);
    flyingShot->colour = currentColour;
    shotInFlight = true;
    flyingShot->SetVisible(true);
    showShotPicture(*flyingShot);
    flyingShot->Invalidate();
    sound.playSound(SoundId::shot);
    SetTimer(m_hWnd, TimerId::shot, TimerPeriod::shot);
    takeNextColour();
    return;
  }
  if (shotsLeft < 1) {
    gameOver = true;
    presentGameOver();
  }
}

void GameWindow::onShotTick() {
  // The shot stands still while the game waits under the menu.
  if (flyingShot == nullptr || paused) return;
  if (flyingShot->GetPosY() < ShotGoneY) {
    flyingShot->Invalidate();
    flyingShot->SetPos(flyingShot->GetPosX(), flyingShot->GetPosY() + ShotFallPerTick,
                       flyingShot->GetWidth(), flyingShot->GetHeight(), 0);
    flyingShot->Invalidate();
    // A shot launched with the last charge is never resolved.
    if (flyingShot->GetPosY() > ShotResolveY && shotsLeft > 0 && hitPending) {
      hitPending = false;
      resolveShot();
    }
    updatePurchaseLooks();
    if (keyRuleHolds()) {
      passIndicator.SetImage_Normal(passLitImage);
      passIndicator.SetImage_Pressed(passDimImage);
      passIndicator.Invalidate();
    }
    if (gameOver) presentGameOver();
  }
  if (flyingShot->GetPosY() > ShotGoneY) {
    flyingShot->SetVisible(false);
    shotInFlight = false;
  }
}

void GameWindow::resolveShot() {
  const int32_t slot = slotFromX(flyingShot->GetPosX());
  const int32_t state = slot == NoSlot ? TargetEmpty : targetSlots[static_cast<size_t>(slot)].state;
  const int32_t result = missColour(state, slot);
  if (result == -1) {
    applyColour(slot, flyingShot->colour, true);
    return;
  }
  if (result < 0) return;  // a plain miss
  // Every fourth miss throws a fresh random colour onto the leftmost target
  // that is not spoiled.
  const int32_t colour = randomColour();
  for (size_t j = 0; j < targetSlots.size(); ++j) {
    if (targetSlots[j].state != TargetSpoiled) {
      applyColour(static_cast<int32_t>(j), colour, false);
      return;
    }
  }
}

void GameWindow::applyColour(int32_t slot, int32_t colour, bool directHit) {
  TargetSprite& target = targetSlots[static_cast<size_t>(slot)];
  const int32_t newState =
      mixTargetState(target.state, static_cast<uint32_t>(colour), mixedFromPrimaries);
  refreshTarget(slot);
  lastLanding = {lastLanding.count + 1, slot, colour, target.state, newState};
  target.state = newState;
  setTargetPicture(target, newState);
  if (newState == TargetSpoiled) {
    // A random colour that spoils a target after the claim costs nothing.
    if (directHit || !levelPassed) spoilTarget(slot, directHit);
  } else if (isFullState(newState)) {
    completeColour(slot, newState, directHit);
  }
  testAllSpoiled();
}

// A direct hit plays the spoil sound last; a random colour plays it before
// the lightning starts.
void GameWindow::spoilTarget(int32_t slot, bool directHit) {
  score -= SpoilPenalty;
  scoreLabel.SetText(Int2String(score).C_Str());
  if (!directHit) sound.playSound(SoundId::spoiled);
  lightningRunning = true;
  SetTimer(m_hWnd, TimerId::lightning, TimerPeriod::lightning);
  refreshTarget(slot);
  TargetSprite& target = targetSlots[static_cast<size_t>(slot)];
  target.state = TargetSpoiled;
  setTargetPicture(target, TargetSpoiled);
  if (directHit) sound.playSound(SoundId::spoiled);
  requestHapticPulse(HapticPulse::Spoil);
}

void GameWindow::completeColour(int32_t slot, int32_t fullState, bool directHit) {
  score += CompletionPoints;
  scoreLabel.SetText(Int2String(score).C_Str());
  if (directHit) startCloudDrift();
  earnKey(fullState / 3 - 1);
  if (score >= levelTargetScore) earnKey(ScoreKey);
  if (mixedFromPrimaries == 1) earnKey(MixedKey);
  refreshTarget(slot);
  TargetSprite& target = targetSlots[static_cast<size_t>(slot)];
  target.state = TargetEmpty;
  setTargetPicture(target, TargetEmpty);
  sound.playSound(SoundId::completed);
  requestHapticPulse(HapticPulse::Complete);
}

void GameWindow::earnKey(int32_t k) {
  KeySprite& key = keyPictures[static_cast<size_t>(k)];
  key.earned = true;
  placeKey(key, 140 + 40 * k);
  setKeyPicture(key, k);
  key.Invalidate();
  lastEarnedKey = &key;
}

void GameWindow::testAllSpoiled() {
  for (const TargetSprite& target : targetSlots) {
    if (target.state != TargetSpoiled) return;
  }
  gameOver = true;
}

// Level 1 asks for keys 0..5 and 7; every later level for all eight.
bool GameWindow::keyRuleHolds() const {
  for (int32_t k = 0; k < KeyCount; ++k) {
    if (k == MixedKey && currentLevel <= 1) continue;
    if (!keyPictures[static_cast<size_t>(k)].earned) return false;
  }
  return true;
}

void GameWindow::updatePurchaseLooks() {
  const bool affordable = score >= PurchasePrice;
  buyShotsButton.SetImage_Normal(affordable ? buyLitImage : buyDimImage);
  buyShotsButton.SetImage_Pressed(affordable ? buyDimImage : buyLitImage);
  repairButton.SetImage_Normal(affordable ? repairLitImage : repairDimImage);
  repairButton.SetImage_Pressed(affordable ? repairDimImage : repairLitImage);
  buyShotsButton.Invalidate();
  repairButton.Invalidate();
}

// Presented again at every shot tick while the attempt stays lost; the pulse
// comes only when the screen first appears.
void GameWindow::presentGameOver() {
  const bool shown = overlayPicture.IsVisible() && overlayPicture.GetImage() == &images.gameOverImage;
  if (!shown) requestHapticPulse(HapticPulse::GameOver);
  overlayPicture.SetVisible(true);
  images.gameOverImage.LoadImageW(imagePath(ImageFile::gameOver), true, true, true);
  overlayPicture.SetPos(0, 0, 480, 720, 0);
  overlayPicture.SetImage(&images.gameOverImage);
  overlayPicture.Invalidate();
  toolbar.SetVisible(false);
  buildGameOverButtons();
  endDailyAttempt();
}

void GameWindow::onTimeBarTick() {
  // A day's attempt keeps the time bar it started with.
  const int32_t step = timeBarStepPerTick(daily.dayInPlay != 0 ? daily.run.timeMode : options.timeMode);
  if (!timeBarRunning || step == 0) return;
  timeBar->Invalidate();
  timeBar->SetPos(timeBar->GetPosX() - step, timeBar->GetPosY(), timeBar->GetWidth(),
                  timeBar->GetHeight(), 0);
  timeBar->Invalidate();
  if (timeBar->GetPosX() <= 0) {
    timeBarRunning = false;
    gameOver = true;  // shown by the next tick of a falling shot
  }
}
