// Pointing the game pieces at their shared pictures and putting them at
// their fixed places on the board.
#include "screen/game_window.hpp"

#include "rules/level_table.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::loadTargetImages() {
  for (size_t i = 0; i < images.targetImages.size(); ++i) {
    images.targetImages[i].LoadImageW(imagePath(ImageFile::targets[i]), true, true, true);
  }
}

void GameWindow::loadKeyImages() {
  for (size_t i = 0; i < images.keyImages.size(); ++i) {
    images.keyImages[i].LoadImageW(imagePath(ImageFile::keys[i]), true, true, true);
  }
}

void GameWindow::setTargetPicture(TargetSprite& target, int32_t state) {
  target.SetImage(&images.targetImages[static_cast<size_t>(state)]);
  target.Invalidate();
}

void GameWindow::setKeyPicture(KeySprite& key, int32_t k) {
  key.SetImage(&images.keyImages[static_cast<size_t>(k)]);
  key.Invalidate();
}

void GameWindow::setCloudPicture(CloudSprite& cloud) {
  cloud.SetImage(&images.cloudImage);
  cloud.Invalidate();
}

void GameWindow::showShotPicture(ShotSprite& shot) {
  shot.SetImage(&images.shotImage);
  shot.Invalidate();
}

void GameWindow::showPreviewPicture(PreviewSprite& preview) {
  preview.SetImage(&images.previewImage);
  preview.Invalidate();
}

void GameWindow::showTimeBarPicture(BarSprite& bar) {
  bar.SetImage(&images.timeBarImage);
  bar.Invalidate();
}

bool GameWindow::refreshTarget(int32_t slot) {
  targetSlots[static_cast<size_t>(slot)].SetPos(targetHomeX[static_cast<size_t>(slot)],
                                                targetHomeY, 32, 126, 0);
  Invalidate(nullptr, 0);
  return true;
}

void GameWindow::placeTargetAt(TargetSprite& target, int32_t x, int32_t y) {
  target.SetPos(x, y, 32, 126, 0);
}

bool GameWindow::placeShot(int32_t colour) {
  shotPictures[static_cast<size_t>(colour)].SetPos(play.shot.x, play.shot.y, 16, 48, 0);
  Invalidate(nullptr, 0);
  return true;
}

bool GameWindow::placePreview(int32_t colour) {
  previewPictures[static_cast<size_t>(colour)].SetPos(98, 340, 30, 40, 0);
  Invalidate(nullptr, 0);
  return true;
}

void GameWindow::showPreview() {
  const auto colour = static_cast<size_t>(play.currentColour);
  placePreview(play.currentColour);
  activePreview = &previewPictures[colour];
  images.previewImage.LoadImageW(imagePath(ImageFile::previews[colour]), true, true, true);
  showPreviewPicture(*activePreview);
  activePreview->Invalidate();
}

bool GameWindow::placeTimeBar(int32_t x) {
  timeBar->SetPos(x, 614, 480, 6, 0);
  Invalidate(nullptr, 0);
  return true;
}

void GameWindow::placeKey(KeySprite& key, int32_t y) { key.SetPos(10, y, 32, 32, 0); }

void GameWindow::placeCloud(CloudSprite& cloud, int32_t x) { cloud.SetPos(x, 200, 100, 80, 0); }
