// The level screen: reached from the start menu, it lists the ten levels with
// their stars and best scores; a level up to the highest one reached starts
// afresh, the others show locked and refuse.
#include <algorithm>

#include "platform/mz_functions.hpp"
#include "rules/time_mode.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

namespace {

constexpr int32_t TileWidth = 200;
constexpr int32_t TileHeight = 84;
constexpr int32_t TileLeft = 30;
constexpr int32_t TileColumnStep = 220;
constexpr int32_t TileTop = 130;
constexpr int32_t TileRowStep = 92;
constexpr int32_t TileColumns = 2;

struct TilePlace {
  int32_t x;
  int32_t y;
};

TilePlace tilePlace(size_t index) {
  const auto i = static_cast<int32_t>(index);
  return {TileLeft + TileColumnStep * (i % TileColumns), TileTop + TileRowStep * (i / TileColumns)};
}

}  // namespace

void addInkLabel(CMzWndEx& window, UiStatic& label, int32_t id, int32_t x, int32_t y, int32_t width,
                 int32_t height) {
  constexpr MzColour InkColour = 0x2E2448;  // as the pictures draw their words
  label.SetID(id);
  label.SetPos(x, y, width, height, 0);
  label.SetTextColor(InkColour);
  window.AddUiWin(&label);
}

int32_t GameWindow::highestReachedLevel() const {
  return std::clamp(std::max(settings.level, records.highestClaimed() + 1), FirstLevel, LevelCount);
}

bool GameWindow::levelScreenShown() const {
  return openScreens.levels;
}

void GameWindow::buildLevelScreen() {
  LevelScreenControls& screen = levelScreen;
  const InstanceHandle instance = MzGetInstanceHandle();
  screen.openImage = screen.tileImages.LoadImageW(instance, ImageResource::levelTile, true);
  screen.openPressedImage = screen.tileImages.LoadImageW(instance, ImageResource::levelTilePressed, true);
  screen.lockedImage = screen.tileImages.LoadImageW(instance, ImageResource::levelLocked, true);
  screen.backLitImage = screen.backImages.LoadImageW(instance, ImageResource::backLit, true);
  screen.backDimImage = screen.backImages.LoadImageW(instance, ImageResource::backDim, true);

  addScreenPicture(screen.picture, ImageFile::levels, ControlId::levelsPicture);
  for (size_t i = 0; i < screen.tiles.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    const auto [x, y] = tilePlace(i);
    setUpImageButton(screen.tiles[i], ControlId::firstLevelTile + index, x, y, TileWidth, TileHeight,
                     screen.openImage, screen.openPressedImage, 0);
    addInkLabel(*this, screen.numbers[i], ControlId::firstLevelNumber + index, x + 8, y + 16, 52, 52);
    screen.numbers[i].SetText(Int2String(FirstLevel + index).C_Str());
    screen.stars[i].SetID(ControlId::firstLevelStars + index);
    screen.stars[i].SetPos(x + 76, y + 8, 110, 32, 0);
    AddUiWin(&screen.stars[i]);
    addInkLabel(*this, screen.bestWords[i], ControlId::firstLevelBestWord + index, x + 70, y + 46, 60, 26);
    screen.bestWords[i].SetText(u"最高分");
    addInkLabel(*this, screen.bestScores[i], ControlId::firstLevelBest + index, x + 130, y + 46, 64, 26);
  }
  addInkLabel(*this, screen.recordsTimeMode, ControlId::levelsRecordsTimeMode, 120, 598, 240, 26);
  setUpImageButton(screen.backButton, ControlId::levelsBack, 207, 628, 65, 40, screen.backLitImage,
                   screen.backDimImage, 0);
  screen.controls.add(screen.picture, screen.tiles, screen.numbers, screen.stars, screen.bestWords,
                      screen.bestScores, screen.recordsTimeMode, screen.backButton);
}

// Each tile after the records: open with its stars and best score, or locked.
void GameWindow::showLevelRecords() {
  LevelScreenControls& screen = levelScreen;
  const int32_t reached = highestReachedLevel();
  for (size_t i = 0; i < screen.tiles.size(); ++i) {
    const int32_t level = FirstLevel + static_cast<int32_t>(i);
    const LevelRecord& record = records.level(level);
    const bool open = level <= reached;
    const bool claimed = record.claims > 0;
    screen.tiles[i].SetImage_Normal(open ? screen.openImage : screen.lockedImage);
    screen.tiles[i].SetImage_Pressed(open ? screen.openPressedImage : screen.lockedImage);
    screen.stars[i].LoadImageW(imagePath(ImageFile::stars[static_cast<size_t>(record.stars)]), true);
    screen.stars[i].SetVisible(open);
    screen.bestWords[i].SetVisible(claimed);
    screen.bestScores[i].SetText(Int2String(record.bestScore).C_Str());
    screen.bestScores[i].SetVisible(claimed);
  }
  screen.recordsTimeMode.SetText(timeModeKeepsRecords(options.timeMode) ? u"纪录：标准时间条" : u"纪录只计标准时间条");
}

void GameWindow::setLevelScreenVisible(bool visible) {
  setScreenVisible(levelScreen.controls, openScreens.levels, visible);
}

// Only from the menu itself: its button is on screen there alone.
void GameWindow::openLevelScreen() {
  if (!menuMayStartGame() || !levelsButton.IsVisible()) return;
  if (levelScreen.controls.empty()) buildLevelScreen();
  hideMenuButtons();
  setLevelScreenVisible(true);
  showLevelRecords();
}

void GameWindow::closeLevelScreen() {
  if (!levelScreenShown()) return;
  setLevelScreenVisible(false);
  showMenuButtons();
}

void GameWindow::startChosenLevel(int32_t level) {
  if (!levelScreenShown() || level > highestReachedLevel()) return;
  leaveDailyPlay();
  beginLevel(level);
}
