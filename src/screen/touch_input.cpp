// Moving the sprayer by touch: a tap steps it towards that half of the
// screen, a drag steps it towards the finger, each step through the action
// door. With the movement switch on
// its picture glides to each new place instead of jumping there. On the help,
// a finger swept sideways turns the page.
#include <algorithm>

#include "platform/mz_functions.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr int32_t SprayerY = 10;
constexpr int32_t SprayerStartX = 105;
constexpr int32_t LowestMovingTap = 612;  // taps at or below this y are ignored
constexpr int32_t ScreenMiddle = 240;
constexpr int32_t GlidePerTick = 6;
constexpr int32_t HelpSwipe = 60;  // the least sideways sweep that turns a help page

}  // namespace

void GameWindow::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (finaleShown()) {
    closeFinale();  // any press leaves the finale
    return;
  }
  helpSwipeStartX = x;
  if (y >= LowestMovingTap) return;
  if (x < ScreenMiddle && sprayerX > 110) applyAction(runs::ActionKind::StepLeft);
  if (x > ScreenMiddle && sprayerX < 397) applyAction(runs::ActionKind::StepRight);
}

void GameWindow::OnLButtonUp(uint32_t, int32_t x, int32_t) {
  if (x <= helpSwipeStartX - HelpSwipe) turnHelpPage(1);
  if (x >= helpSwipeStartX + HelpSwipe) turnHelpPage(-1);
}

// One step towards the finger per move event; y does not matter.
void GameWindow::OnMouseMove(uint32_t, int32_t x, int32_t) {
  const int32_t finger = std::clamp(x, 105, 405);
  if (finger > sprayerX) {
    applyAction(runs::ActionKind::StepRight);
  } else if (finger < sprayerX) {
    applyAction(runs::ActionKind::StepLeft);
  }
}

void GameWindow::placeSprayerAtStart() {
  KillTimer(m_hWnd, TimerId::glide);
  sprayerPicture.Invalidate();
  sprayerX = SprayerStartX;
  sprayerPicture.SetPos(sprayerX, SprayerY, sprayerPicture.GetWidth(), sprayerPicture.GetHeight(), 0);
  sprayerPicture.Invalidate();
}

void GameWindow::moveSprayer(int32_t x) {
  // The picture stands where the sprayer was unless a glide is under way.
  const bool gliding = sprayerPicture.GetPosX() != sprayerX;
  sprayerX = x;
  if (movementOn) {
    if (!gliding) SetTimer(m_hWnd, TimerId::glide, TimerPeriod::glide);
    return;
  }
  KillTimer(m_hWnd, TimerId::glide);
  sprayerPicture.SetPos(sprayerX, SprayerY, sprayerPicture.GetWidth(), sprayerPicture.GetHeight(),
                        0);
}

void GameWindow::onGlideTick() {
  const int32_t shown = sprayerPicture.GetPosX();
  const int32_t step = std::clamp(sprayerX - shown, -GlidePerTick, GlidePerTick);
  sprayerPicture.SetPos(shown + step, SprayerY, sprayerPicture.GetWidth(),
                        sprayerPicture.GetHeight(), 0);
  if (shown + step == sprayerX) KillTimer(m_hWnd, TimerId::glide);
}
