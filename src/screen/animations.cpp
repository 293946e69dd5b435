// The splash timer, the lightning over a spoiled target and the dark clouds
// that drift across the board after a completed colour.
#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr int32_t LightningFrames = 4;
constexpr int32_t CloudStepPerTick = 10;
constexpr int32_t ScreenWidth = 480;

}  // namespace

void GameWindow::onSplashTick() {
  if (splashDone) return;
  splashDone = true;
  KillTimer(m_hWnd, TimerId::splash);
  splashPicture.SetVisible(false);
  openStartMenu();
  // A run or a board the command line or the page's address brought opens at once.
  if (!runToOpen.empty()) {
    openWatchScreen(runToOpen);
    runToOpen.clear();
  }
  if (!boardToOpen.empty()) {
    openBoardScreen(boardToOpen);
    boardToOpen.clear();
  }
  Invalidate(nullptr, 0);
}

// Frames 0..3 each show for one tick; the tick after the last frame ends it.
void GameWindow::onLightningTick() {
  if (!lightningRunning) return;
  if (lightningFrame < LightningFrames) {
    for (int32_t k = 0; k < LightningFrames; ++k) {
      lightningPictures[static_cast<size_t>(k)].SetVisible(true);
    }
    const auto frame = static_cast<size_t>(lightningFrame);
    images.lightningImage.LoadImageW(imagePath(ImageFile::lightning[frame]), true, true, true);
    currentLightning = &lightningPictures[frame];
    currentLightning->SetPos(140, 0, 250, 450, 0);
    currentLightning->SetImage(&images.lightningImage);
    currentLightning->Invalidate();
    lightningFrame += 1;
    return;
  }
  for (int32_t k = 0; k < LightningFrames; ++k) {
    lightningPictures[static_cast<size_t>(k)].SetVisible(false);
    lightningPictures[static_cast<size_t>(k)].Invalidate();
  }
  lightningFrame = 0;
  lightningRunning = false;
  KillTimer(m_hWnd, TimerId::lightning);
}

// Puts the clouds left of the screen, one behind the other, and lets `count`
// of them drift across (play draws a count that grows with the level).
void GameWindow::startCloudDrift(int32_t count) {
  for (size_t k = 0; k < cloudPictures.size(); ++k) {
    currentCloud = &cloudPictures[k];
    placeCloud(*currentCloud, -100 * static_cast<int32_t>(k + 1));
  }
  images.cloudImage.LoadImageW(imagePath(ImageFile::cloud), true, true, true);
  for (CloudSprite& cloud : cloudPictures) {
    setCloudPicture(cloud);
    cloud.Invalidate();
  }
  if (count >= 0) cloudDriftCount = count;
  SetTimer(m_hWnd, TimerId::cloud, TimerPeriod::cloud);
}

void GameWindow::onCloudTick() {
  const int32_t count = cloudDriftCount;
  if (count <= 0) {
    KillTimer(m_hWnd, TimerId::cloud);
    return;
  }
  for (int32_t k = 0; k < count; ++k) {
    CloudSprite& cloud = cloudPictures[static_cast<size_t>(k)];
    const bool last = k == count - 1;
    if (cloud.GetPosX() < ScreenWidth) {
      cloud.Invalidate();
      placeCloud(cloud, cloud.GetPosX() + CloudStepPerTick);
      cloud.Invalidate();
    } else if (last) {
      KillTimer(m_hWnd, TimerId::cloud);
    }
  }
}
