// The start menu and the button groups of the menu (with the level screen's
// button beside them), the level-passed screen and the game-over screen.
#include "screen/game_window.hpp"

#include "screen/control_ids.hpp"
#include "screen/image_catalogue.hpp"
#include "screen/image_path.hpp"

void GameWindow::openStartMenu() {
  buildRaceDrawing();  // under the menu's picture, with the game
  menuPicture.LoadImageW(imagePath(ImageFile::menu), true);
  menuPicture.SetPos(0, 0, 480, 720, 0);
  menuPicture.SetDragMode(2);
  menuPicture.SetID(ControlId::menuPicture);
  AddUiWin(&menuPicture);
  openScreens.menu = true;
  // The level screen's own button, to the right of start, the daily
  // screen's, to the right of continue, and the maker's to its left.
  setUpImageButton(levelsButton, ControlId::levelsButton, 310, 440, 96, 38, levelsLitImage, levelsDimImage, 0);
  setUpPanelButton(dailyButton, ControlId::dailyButton, ImageResource::dailyLit, 310, 480, 96, 38);
  setUpPanelButton(makeButton, ControlId::makeButton, ImageResource::makeLit, 62, 480, 96, 38);
  buildMenuButtons();
}

void GameWindow::buildMenuButtons() {
  for (size_t i = 0; i < menuButtons.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    setUpImageButton(menuButtons[i], ControlId::startGame + index, 180, 440 + 40 * index, 108, 38,
                     menuLitImages[i], menuDimImages[i], 0);
  }
}

void GameWindow::showMenuButtons() {
  menuGroup.setVisible(true);
  Invalidate(nullptr, 0);
}

void GameWindow::hideMenuButtons() {
  menuGroup.setVisible(false);
  Invalidate(nullptr, 0);
}

void GameWindow::buildChoiceButtons() {
  for (size_t i = 0; i < choiceButtons.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    const int32_t column = index % 5;
    const int32_t row = index / 5;
    setUpImageButton(choiceButtons[i], ControlId::firstChoice + index, 70 + 70 * column,
                     450 + 70 * row, 60, 40, choiceDimImages[i], choiceLitImages[i], 1);
  }
  choiceButtonsBuilt = true;
}

void GameWindow::showChoiceButtons() {
  choiceGroup.setVisible(true);
  Invalidate(nullptr, 0);
}

void GameWindow::hideChoiceButtons() {
  choiceGroup.setVisible(false);
  Invalidate(nullptr, 0);
}

void GameWindow::buildGameOverButtons() {
  for (size_t i = 0; i < gameOverButtons.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    setUpImageButton(gameOverButtons[i], ControlId::retryButton + index, 180, 450 + 70 * index,
                     112, 42, gameOverLitImages[i], gameOverDimImages[i], 0);
  }
  showGameOverButtons();
}

void GameWindow::showGameOverButtons() {
  gameOverGroup.setVisible(true);
  Invalidate(nullptr, 0);
}

void GameWindow::hideGameOverButtons() {
  gameOverGroup.setVisible(false);
  Invalidate(nullptr, 0);
}
