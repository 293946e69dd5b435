// Keyboard shortcuts for desktop players, routed to the operations of the
// touches and buttons they stand for, and only where those can be used.
#include <string_view>

#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

void GameWindow::OnKeyDown(MzKey key, uint32_t) {
  const std::string_view screen = currentScreen();
  if (screen == "finale") {
    closeFinale();  // any key
    return;
  }
  if (screen == "settings") {
    if (key == MzKey::Escape) handleCommand(ControlId::settingsBack, 0);
    return;
  }
  if (screen == "help") {
    if (key == MzKey::Escape) handleCommand(ControlId::helpBack, 0);
    if (key == MzKey::Left) handleCommand(ControlId::helpPrevious, 0);
    if (key == MzKey::Right) handleCommand(ControlId::helpNext, 0);
    return;
  }
  if (screen != "game") return;
  switch (key) {
    case MzKey::Left: OnLButtonDown(0, 120, 300); break;   // a tap on the left half
    case MzKey::Right: OnLButtonDown(0, 360, 300); break;  // a tap on the right half
    case MzKey::Space: handleCommand(ControlId::toolbar, ToolbarButton::fire); break;
    case MzKey::Return: handleCommand(ControlId::toolbar, ToolbarButton::claim); break;
    case MzKey::Escape: handleCommand(ControlId::toolbar, ToolbarButton::back); break;
    case MzKey::R: handleCommand(ControlId::repairButton, 0); break;
    case MzKey::B: handleCommand(ControlId::buyShotsButton, 0); break;
    // Keys for the ear: the last announcement again, the state, the board.
    case MzKey::A: announce(lastAnnouncement(), lastAnnouncementPriority()); break;
    case MzKey::S: announceStatus(); break;
    case MzKey::T: announceAllTubes(); break;
    default: break;
  }
}

// Left and Right turn the help's pages rather than move the focus ring, which
// Up, Down and Tab still move among the page and back buttons.
bool GameWindow::KeepsKey(MzKey key) const {
  return (key == MzKey::Left || key == MzKey::Right) && helpPage != 0 && std::string_view(currentScreen()) == "help";
}
