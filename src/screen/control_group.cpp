// Controls shown and hidden together, and a screen shown or hidden with them.
#include "screen/control_group.hpp"

#include "platform/ui_controls.hpp"
#include "screen/daily_screen.hpp"
#include "screen/game_window.hpp"

void ControlGroup::addEach(PanelButton& button) { addEach(button.button); }

void ControlGroup::addEach(PanelRow& row) {
  addEach(row.word);
  addEach(row.value);
}

void ControlGroup::setVisible(bool visible) const {
  for (UiWin* control : controls_) control->SetVisible(visible);
}

void GameWindow::setScreenVisible(const ControlGroup& controls, bool& open, bool visible) {
  if (controls.empty()) return;
  open = visible;
  controls.setVisible(visible);
  Invalidate(nullptr, 0);
}
