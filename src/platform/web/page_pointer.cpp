// Canvas CSS pixels to the game's window pixels, and the held state.
#include "platform/web/page_pointer.hpp"

#include <algorithm>
#include <cmath>

#include "platform/canvas.hpp"

namespace {

// A CSS position on the shown canvas in window pixels (floor, so the
// canvas's right and bottom edges fall outside).
int32_t toWindow(double position, double shownSize, int32_t windowSize) {
  return static_cast<int32_t>(std::floor(position * windowSize / shownSize));
}

}  // namespace

bool PagePointer::translate(Action action, double x, double y, double shownWidth, double shownHeight,
                            HostEvent& event) {
  if (!(shownWidth > 0 && shownHeight > 0 && std::isfinite(x) && std::isfinite(y))) return false;
  int32_t windowX = toWindow(x, shownWidth, Canvas::Width);
  int32_t windowY = toWindow(y, shownHeight, Canvas::Height);
  const bool onCanvas = windowX >= 0 && windowX < Canvas::Width && windowY >= 0 && windowY < Canvas::Height;
  windowX = std::clamp(windowX, 0, Canvas::Width - 1);
  windowY = std::clamp(windowY, 0, Canvas::Height - 1);
  event = HostEvent{};
  event.x = windowX;
  event.y = windowY;
  switch (action) {
    case Action::Down:
      // A second press while one is held (another button, a second finger)
      // is not a new touch.
      if (!onCanvas || held_) return false;
      held_ = true;
      event.kind = HostEvent::Kind::PointerDown;
      return true;
    case Action::Move:
      if (!held_) return false;
      event.kind = HostEvent::Kind::PointerMove;
      return true;
    case Action::Up:
      if (!held_) return false;
      held_ = false;
      event.kind = HostEvent::Kind::PointerUp;
      return true;
    case Action::Cancel:
      // The browser took the touch: the release lands off the screen, so
      // no button under the finger reports its command.
      if (!held_) return false;
      held_ = false;
      event.kind = HostEvent::Kind::PointerUp;
      event.x = -1;
      event.y = -1;
      return true;
  }
  return false;
}
