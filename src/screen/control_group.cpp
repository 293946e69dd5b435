// Controls shown and hidden together, and the screens over the menu built of
// them: each has a backdrop over the whole window and shows or hides at once.
#include "screen/control_group.hpp"

#include "platform/ui_controls.hpp"
#include "screen/daily_screen.hpp"
#include "screen/game_window.hpp"
#include "screen/image_path.hpp"

void ControlGroup::addEach(PanelButton& button) { addEach(button.button); }

void ControlGroup::addEach(PanelRow& row) {
  addEach(row.word);
  addEach(row.value);
}

void ControlGroup::setVisible(bool visible) const {
  for (UiWin* control : controls_) control->SetVisible(visible);
}

void GameWindow::addScreenPicture(UiPicture& picture, const char16_t* file, int32_t id) {
  picture.LoadImageW(imagePath(file), true);
  picture.SetPos(0, 0, 480, 720, 0);
  picture.SetID(id);
  AddUiWin(&picture);
}

void GameWindow::setScreenVisible(const ControlGroup& controls, bool& open, bool visible) {
  if (controls.empty()) return;
  open = visible;
  controls.setVisible(visible);
  Invalidate(nullptr, 0);
}
