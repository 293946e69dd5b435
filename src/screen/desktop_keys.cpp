// Keyboard and pad for desktop players: each key or button asks one thing of
// the screen that is up, and on the game screen that is an action at the
// door, as a finger's tap or a toolbar button would make it.
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

namespace {

using Ask = GameWindow::Ask;

Ask askOfKey(MzKey key) {
  switch (key) {
    case MzKey::Left: return Ask::Left;
    case MzKey::Right: return Ask::Right;
    case MzKey::Space: return Ask::Fire;
    case MzKey::Return: return Ask::Claim;
    case MzKey::Escape: return Ask::Back;
    case MzKey::R: return Ask::Repair;
    case MzKey::B: return Ask::Buy;
    // Keys for the ear: the last announcement again, the state, the board.
    case MzKey::A: return Ask::Repeat;
    case MzKey::S: return Ask::Status;
    case MzKey::T: return Ask::Tubes;
    default: return Ask::Other;
  }
}

Ask askOfPad(MzPadButton button) {
  switch (button) {
    case MzPadButton::Left: return Ask::Left;
    case MzPadButton::Right: return Ask::Right;
    case MzPadButton::A: return Ask::Fire;
    case MzPadButton::Start: return Ask::Claim;
    case MzPadButton::B: return Ask::Back;
    case MzPadButton::X: return Ask::Repair;
    case MzPadButton::Y: return Ask::Buy;
    case MzPadButton::Back: return Ask::Status;
    default: return Ask::Other;
  }
}

}  // namespace

void GameWindow::OnKeyDown(MzKey key, uint32_t) { answer(askOfKey(key)); }

void GameWindow::OnPadButton(MzPadButton button) { answer(askOfPad(button)); }

void GameWindow::answer(Ask ask) {
  const Screen screen = screenOnTop();
  if (screen == Screen::Finale) {
    closeFinale();  // any key
    return;
  }
  if (screen == Screen::Settings) {
    if (ask == Ask::Back) closeSettings();
    return;
  }
  if (screen == Screen::Help) {
    if (ask == Ask::Back) closeHelp();
    if (ask == Ask::Left) turnHelpPage(-1);
    if (ask == Ask::Right) turnHelpPage(1);
    return;
  }
  if (screen != Screen::Game) return;
  switch (ask) {
    case Ask::Left: stepByTap(runs::ActionKind::StepLeft); break;
    case Ask::Right: stepByTap(runs::ActionKind::StepRight); break;
    case Ask::Fire: applyAction(runs::ActionKind::Fire); break;
    case Ask::Claim: applyAction(runs::ActionKind::Claim); break;
    case Ask::Back: applyAction(runs::ActionKind::Pause); break;
    case Ask::Repair: applyAction(runs::ActionKind::Repair); break;
    case Ask::Buy: applyAction(runs::ActionKind::Buy); break;
    case Ask::Repeat: announce(lastAnnouncement(), lastAnnouncementPriority()); break;
    case Ask::Status: announceStatus(); break;
    case Ask::Tubes: announceAllTubes(); break;
    case Ask::Other: break;
  }
}

// Left and Right turn the help's pages rather than move the focus ring, which
// Up, Down and Tab still move among the page and back buttons.
bool GameWindow::KeepsKey(MzKey key) const {
  return (key == MzKey::Left || key == MzKey::Right) && helpPage != 0 && screenOnTop() == Screen::Help;
}
