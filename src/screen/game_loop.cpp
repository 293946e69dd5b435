// The play on screen: the game's two clocks drive its Play, and what each
// step of play caused is shown, sounded and timed here.
#include "platform/haptics.hpp"
#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

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
  return timerId == TimerId::shot && play.shotClockIdle();
}

void GameWindow::onShotTick() { carryOut(play.tickShot()); }

void GameWindow::onTimeBarTick() { carryOut(play.tickTimeBar()); }

void GameWindow::carryOut(const Effects& effects) {
  for (const Effect& effect : effects) {
    switch (effect.kind) {
      case EffectKind::Sound: sound.playSound(static_cast<uint32_t>(effect.value)); break;
      case EffectKind::Pulse: requestHapticPulse(static_cast<HapticPulse>(effect.value)); break;
      case EffectKind::TimeBarRestarted:
        showFullTimeBar();
        SetTimer(m_hWnd, TimerId::timeBar, TimerPeriod::timeBar);
        break;
      case EffectKind::TimeBarClockStarted: SetTimer(m_hWnd, TimerId::timeBar, TimerPeriod::timeBar); break;
      case EffectKind::TimeBarClockStopped: KillTimer(m_hWnd, TimerId::timeBar); break;
      case EffectKind::TimeBarMoved:
        timeBar->Invalidate();
        timeBar->SetPos(play.timeBarX, timeBar->GetPosY(), timeBar->GetWidth(), timeBar->GetHeight(), 0);
        timeBar->Invalidate();
        break;
      case EffectKind::ShotLaunched: {
        const auto colour = static_cast<size_t>(effect.value);
        placeShot(effect.value);
        flyingShot = &shotPictures[colour];
        images.shotImage.LoadImageW(imagePath(ImageFile::shots[colour]), true, true, true);
        flyingShot->SetVisible(true);
        showShotPicture(*flyingShot);
        flyingShot->Invalidate();
        SetTimer(m_hWnd, TimerId::shot, TimerPeriod::shot);
        break;
      }
      case EffectKind::ShotMoved:
        flyingShot->Invalidate();
        flyingShot->SetPos(play.shot.x, play.shot.y, flyingShot->GetWidth(), flyingShot->GetHeight(), 0);
        flyingShot->Invalidate();
        break;
      case EffectKind::ShotGone: flyingShot->SetVisible(false); break;
      case EffectKind::PreviewChanged: showPreview(); break;
      case EffectKind::TubeChanged: {
        const auto slot = static_cast<size_t>(effect.value);
        refreshTarget(effect.value);
        setTargetPicture(targetSlots[slot], play.tubes[slot]);
        break;
      }
      case EffectKind::ScoreChanged: scoreLabel.SetText(Int2String(play.score).C_Str()); break;
      case EffectKind::Lightning:
        lightningRunning = true;
        SetTimer(m_hWnd, TimerId::lightning, TimerPeriod::lightning);
        break;
      case EffectKind::CloudDrift: startCloudDrift(effect.value); break;
      case EffectKind::KeyEarned: showKey(effect.value); break;
      case EffectKind::PurchaseLooks: updatePurchaseLooks(); break;
      case EffectKind::RepairDimmed:
        repairButton.SetImage_Normal(repairDimImage);
        repairButton.SetImage_Pressed(repairLitImage);
        repairButton.Invalidate();
        break;
      case EffectKind::BuyDimmed:
        buyShotsButton.SetImage_Normal(buyDimImage);
        buyShotsButton.SetImage_Pressed(buyLitImage);
        buyShotsButton.Invalidate();
        break;
      case EffectKind::PassLit:
        passIndicator.SetImage_Normal(passLitImage);
        passIndicator.SetImage_Pressed(passDimImage);
        passIndicator.Invalidate();
        break;
      case EffectKind::LevelPassed: showLevelPassed(effect.value != 0); break;
      case EffectKind::GameOverShown: presentGameOver(); break;
      case EffectKind::SprayerMoved:
        sprayerPicture.Invalidate();
        moveSprayerPicture(effect.value);
        sprayerPicture.Invalidate();
        break;
    }
  }
}

void GameWindow::showFullTimeBar() {
  placeTimeBar(play.timeBarX);
  images.timeBarImage.LoadImageW(imagePath(ImageFile::timeBar), true, true, true);
  showTimeBarPicture(*timeBar);
  timeBar->Invalidate();
}

void GameWindow::showKey(int32_t k) {
  KeySprite& key = keyPictures[static_cast<size_t>(k)];
  placeKey(key, 140 + 40 * k);
  setKeyPicture(key, k);
  key.Invalidate();
  lastEarnedKey = &key;
}

void GameWindow::updatePurchaseLooks() {
  const bool affordable = play.score >= Play::PurchasePrice;
  buyShotsButton.SetImage_Normal(affordable ? buyLitImage : buyDimImage);
  buyShotsButton.SetImage_Pressed(affordable ? buyDimImage : buyLitImage);
  repairButton.SetImage_Normal(affordable ? repairLitImage : repairDimImage);
  repairButton.SetImage_Pressed(affordable ? repairDimImage : repairLitImage);
  buyShotsButton.Invalidate();
  repairButton.Invalidate();
}

// Presented again at every shot tick while the attempt stays lost.
void GameWindow::presentGameOver() {
  showOverlay(Overlay::GameOver);
  toolbar.SetVisible(false);
  buildGameOverButtons();
  endDailyAttempt();
}
