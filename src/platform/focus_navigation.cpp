// The focus ring: which stop of the front window has the focus, moving it by
// keys, pressing through it, and drawing it over the composed window.
#include "platform/focus_navigation.hpp"

#include <cstdlib>
#include <limits>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/image.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"
#include "platform/question_box.hpp"
#include "platform/ui_controls.hpp"

namespace {

constexpr uint64_t NotDue = std::numeric_limits<uint64_t>::max();
constexpr int32_t RingEdge = 2;  // each of the ring's two bands
constexpr uint32_t RingOuterColour = packRgba(16, 16, 24, 255);
constexpr uint32_t RingInnerColour = packRgba(80, 230, 255, 255);

bool ringShown = false;
// The focused stop. Only compared with the stops of the moment, never followed:
// the control may be gone.
const UiWin* focusedControl = nullptr;
int32_t focusedPart = 0;
MzRect paintedRing{};  // where the ring was last drawn; empty for nowhere

struct PendingPress {
  bool active = false;
  const UiWin* control = nullptr;
  int32_t x = 0;
  int32_t y = 0;
  uint64_t dueMs = 0;
};
PendingPress pending;

// The index of the focused stop; the first stop when the focused one is not
// on the screen (any more).
size_t focusIndex(const std::vector<FocusStop>& stops) {
  for (size_t i = 0; i < stops.size(); ++i) {
    if (stops[i].control == focusedControl && stops[i].part == focusedPart) return i;
  }
  return 0;
}

void focusOn(const FocusStop& stop) {
  focusedControl = stop.control;
  focusedPart = stop.part;
}

// Rows of the screen: a stop starts a new row when it begins below the middle
// of the row's first stop. Stops come sorted top to bottom, left to right.
std::vector<size_t> rowsOf(const std::vector<FocusStop>& stops) {
  std::vector<size_t> rows(stops.size(), 0);
  size_t rowStart = 0;
  for (size_t i = 1; i < stops.size(); ++i) {
    const MzRect& first = stops[rowStart].rect;
    const bool newRow = stops[i].rect.top >= (first.top + first.bottom) / 2;
    if (newRow) rowStart = i;
    rows[i] = rows[i - 1] + (newRow ? 1 : 0);
  }
  return rows;
}

int32_t middleX(const MzRect& r) { return (r.left + r.right) / 2; }

// Up and Down go to the nearest stop of the row above or below (wrapping);
// Left, Right and Tab step through the screen order (wrapping), and so do Up
// and Down on a screen whose stops stand in one row (a pad has no Tab).
size_t moved(const std::vector<FocusStop>& stops, size_t from, MzKey key, bool backwards) {
  const size_t count = stops.size();
  const std::vector<size_t> rows = rowsOf(stops);
  const size_t rowCount = rows.back() + 1;
  const bool earlier = key == MzKey::Left || (key == MzKey::Tab && backwards) || (key == MzKey::Up && rowCount == 1);
  const bool later = key == MzKey::Right || key == MzKey::Tab || (key == MzKey::Down && rowCount == 1);
  if (earlier) return (from + count - 1) % count;
  if (later) return (from + 1) % count;
  const size_t target = key == MzKey::Down ? (rows[from] + 1) % rowCount : (rows[from] + rowCount - 1) % rowCount;
  size_t best = from;
  int32_t bestDistance = std::numeric_limits<int32_t>::max();
  for (size_t i = 0; i < count; ++i) {
    if (rows[i] != target) continue;
    const int32_t distance = std::abs(middleX(stops[i].rect) - middleX(stops[from].rect));
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

// The way back of a screen: its bottom row when that holds a single button
// (the menu's exit, a panel's back, the game over's way to the menu).
const FocusStop* wayBack(const std::vector<FocusStop>& stops) {
  if (stops.empty()) return nullptr;
  const std::vector<size_t> rows = rowsOf(stops);
  const bool alone = stops.size() == 1 || rows[stops.size() - 2] != rows.back();
  return alone ? &stops.back() : nullptr;
}

void press(CMzWnd& window, const FocusStop& stop) {
  finishFocusPress();
  const int32_t x = middleX(stop.rect);
  const int32_t y = (stop.rect.top + stop.rect.bottom) / 2;
  window.pressControlAt(stop.control, x, y);
  pending = PendingPress{true, stop.control, x, y, loopNowMs() + FocusPressMs};
}

bool isNavigationKey(MzKey key) {
  return key == MzKey::Up || key == MzKey::Down || key == MzKey::Left || key == MzKey::Right || key == MzKey::Tab;
}

MzRect currentRing(CMzWnd& window) {
  if (!ringShown || questionBox().isOpen()) return MzRect{};
  const std::vector<FocusStop> stops = window.focusStops();
  if (stops.empty()) return MzRect{};
  return stops[focusIndex(stops)].rect;
}

bool sameRect(const MzRect& a, const MzRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

bool focusNavigationTakes(CMzWnd& window, const HostEvent& event) {
  if (event.kind != HostEvent::Kind::Key || (event.modifiers & (MzKeyModAlt | MzKeyModCtrl)) != 0) return false;
  if (window.KeepsKey(event.key)) return false;
  const std::vector<FocusStop> stops = window.focusStops();
  if (stops.empty()) return false;
  const MzKey key = event.key;
  if (key == MzKey::Escape) {
    const FocusStop* back = wayBack(stops);
    if (back) press(window, *back);
    return back != nullptr;
  }
  if (!isNavigationKey(key) && key != MzKey::Return && key != MzKey::Space) return false;
  size_t index = focusIndex(stops);
  if (showFocusRing()) {
    index = 0;  // the ring starts on the screen's first button
  } else if (isNavigationKey(key)) {
    index = moved(stops, index, key, (event.modifiers & MzKeyModShift) != 0);
  }
  focusOn(stops[index]);
  if (key == MzKey::Return || key == MzKey::Space) press(window, stops[index]);
  return true;
}

bool focusRingShown() { return ringShown; }

bool focusedStop(const CMzWnd& window, FocusStop& stop) {
  if (!ringShown || questionBox().isOpen()) return false;
  const std::vector<FocusStop> stops = window.focusStops();
  if (stops.empty()) return false;
  stop = stops[focusIndex(stops)];
  return true;
}

bool showFocusRing() {
  const bool wasHidden = !ringShown;
  ringShown = true;
  return wasHidden;
}

void hideFocusRing() { ringShown = false; }

void focusOnControl(const UiWin* control) {
  ringShown = true;
  focusedControl = control;
  focusedPart = 0;
}

uint64_t focusPressDueMs() { return pending.active ? pending.dueMs : NotDue; }

void finishFocusPress() {
  if (!pending.active) return;
  const PendingPress done = pending;
  pending.active = false;
  CMzWnd* window = frontWindow();
  // A press the window has since let go of (a pause, a pointer) reports nothing.
  if (window && window->pressedControl() == done.control) window->pointerUp(done.x, done.y);
}

void refreshFocusRing(CMzWnd& window) {
  const MzRect ring = currentRing(window);
  if (sameRect(ring, paintedRing)) return;
  if (!isEmpty(paintedRing)) window.Invalidate(&paintedRing);
  if (!isEmpty(ring)) window.Invalidate(&ring);
  paintedRing = ring;
}

void paintFocusRing(Canvas& canvas) {
  if (!isEmpty(paintedRing)) drawFocusRing(canvas, paintedRing);
}

void drawFocusRing(Canvas& canvas, const MzRect& rect) {
  // Two bands inside the button's edge, so that it never covers a neighbour:
  // dark outside, bright inside, visible on any picture.
  for (int32_t band = 0; band < 2; ++band) {
    const int32_t in = band * RingEdge;
    const MzRect r{rect.left + in, rect.top + in, rect.right - in, rect.bottom - in};
    if (isEmpty(r)) return;
    const uint32_t colour = band == 0 ? RingOuterColour : RingInnerColour;
    canvas.fill(MzRect{r.left, r.top, r.right, r.top + RingEdge}, colour);
    canvas.fill(MzRect{r.left, r.bottom - RingEdge, r.right, r.bottom}, colour);
    canvas.fill(MzRect{r.left, r.top, r.left + RingEdge, r.bottom}, colour);
    canvas.fill(MzRect{r.right - RingEdge, r.top, r.right, r.bottom}, colour);
  }
}

void appendFocusDebugState(std::string& json) {
  json += ",\"focus\":";
  const QuestionBox& question = questionBox();
  if (question.isOpen()) {
    json += !ringShown ? "null" : question.focusOnYes() ? "\"yes\"" : "\"no\"";
    return;
  }
  CMzWnd* window = frontWindow();
  const std::vector<FocusStop> stops = window && ringShown ? window->focusStops() : std::vector<FocusStop>{};
  if (stops.empty()) {
    json += "null";
    return;
  }
  json += std::to_string(stops[focusIndex(stops)].control->GetID());
}
