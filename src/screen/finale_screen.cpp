// The finale after the tenth level's claim and word: the ten best scores added
// up and the stars won out of thirty. Any press, key or pad button returns to
// the start menu.
#include <string>

#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"
#include "screen/image_catalogue.hpp"

namespace {

constexpr int32_t LineHeight = 40;

}  // namespace

bool GameWindow::finaleShown() const {
  return openScreens.finale;
}

void GameWindow::buildFinale() {
  addScreenPicture(finale.picture, ImageFile::finale, ControlId::finalePicture);
  // Two lines in the picture's panel (60, 410, 360 x 130): word left, number right.
  addInkLabel(*this, finale.scoreWord, ControlId::firstFinaleLabel, 80, 428, 170, LineHeight);
  finale.scoreWord.SetText(u"总分");
  addInkLabel(*this, finale.score, ControlId::firstFinaleLabel + 1, 250, 428, 150, LineHeight);
  addInkLabel(*this, finale.starsWord, ControlId::firstFinaleLabel + 2, 80, 482, 170, LineHeight);
  finale.starsWord.SetText(u"星星");
  addInkLabel(*this, finale.stars, ControlId::firstFinaleLabel + 3, 250, 482, 150, LineHeight);
  finale.controls.add(finale.picture, finale.scoreWord, finale.score, finale.starsWord, finale.stars);
}

void GameWindow::setFinaleVisible(bool visible) { setScreenVisible(finale.controls, openScreens.finale, visible); }

void GameWindow::showFinale() {
  if (finale.controls.empty()) buildFinale();
  finale.score.SetText(Int2String(records.totalBestScore()).C_Str());
  const std::u16string stars = std::u16string(Int2String(records.totalStars()).C_Str()) + u" / " +
                               Int2String(MaxStars * LevelCount).C_Str();
  finale.stars.SetText(stars.c_str());
  toolbar.SetVisible(false);
  setFinaleVisible(true);
}

void GameWindow::closeFinale() {
  if (!finaleShown()) return;
  setFinaleVisible(false);
  menuPicture.SetVisible(true);
  openScreens.menu = true;
  showMenuButtons();
}
