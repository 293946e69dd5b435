// CMzWnd and CMzWndEx: creation, invalidation, painting in add order and
// pointer routing between the controls and the window's handlers.
#include "platform/mz_window.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "platform/canvas.hpp"
#include "platform/host.hpp"
#include "platform/image.hpp"
#include "platform/key_names.hpp"
#include "platform/language/language.hpp"
#include "platform/message_loop.hpp"
#include "platform/platform_state.hpp"
#include "platform/ui_controls.hpp"

namespace {

constexpr uint32_t BackgroundColour = packRgba(255, 255, 255, 255);
constexpr uint32_t LeftButtonFlag = 0x0001;  // the button is down during the event

}  // namespace

CMzWnd::~CMzWnd() { unregisterWindow(this); }

const char16_t* CMzWnd::GetWindowClassName() { return u"CMzWnd"; }
int32_t CMzWnd::MzDefWndProc(uint32_t, uint32_t, int32_t) { return 0; }
void CMzWnd::OnLButtonDblClk(uint32_t, int32_t, int32_t) {}
void CMzWnd::OnLButtonDown(uint32_t, int32_t, int32_t) {}
void CMzWnd::OnLButtonUp(uint32_t, int32_t, int32_t) {}
void CMzWnd::OnMouseMove(uint32_t, int32_t, int32_t) {}
void CMzWnd::OnTimer(uint32_t) {}
bool CMzWnd::timerIdle(uint32_t) const { return false; }
void CMzWnd::OnSize(int32_t, int32_t) {}
void CMzWnd::handleCommand(uint32_t, int32_t) {}
int32_t CMzWnd::OnInitDialog() { return 1; }
void CMzWnd::OnKeyDown(MzKey, uint32_t) {}
void CMzWnd::OnPadButton(MzPadButton button) { OnKeyDown(keyForPadButton(button), 0); }
bool CMzWnd::KeepsKey(MzKey) const { return false; }
void CMzWnd::AppendDebugState(std::string&) const {}

bool CMzWnd::Create(int32_t, int32_t, int32_t width, int32_t height, CMzWnd* parent, int32_t, uint32_t, uint32_t) {
  if (m_hWnd != 0) return false;  // already created
  m_hWnd = registerWindow(this);
  if (m_hWnd == 0) return false;
  if (Host* host = currentHost(); host != nullptr && parent == nullptr) host->nameWindow(GetWindowClassName());
  width_ = width;
  height_ = height;
  invalidateWhole();
  if (OnInitDialog() == 0) {
    unregisterWindow(this);
    m_hWnd = 0;
    return false;
  }
  OnSize(width_, height_);
  return true;
}

void CMzWnd::Show(bool show, bool) {
  shown_ = show;
  if (Host* host = currentHost()) host->showWindow(show);
  invalidateWhole();
}

void CMzWnd::UpdateWindow() { paintIfDirty(); }

void CMzWnd::AnimateWindow(int32_t, bool show) {
  if (show) startFadeIn();
  Show(show);
}

void CMzWnd::EnableFillBgColor(bool fill) {
  fillBackground_ = fill;
  invalidateWhole();
}

void CMzWnd::Invalidate(const MzRect* rect, int32_t) {
  if (rect) {
    dirty_.add(intersection(*rect, MzRect{0, 0, width_, height_}));
  } else {
    changesAsked_ = true;
  }
}

void CMzWnd::invalidateWhole() { dirty_.add(MzRect{0, 0, width_, height_}); }

void CMzWnd::addChangedParts(DirtyRegion& dirty) { dirty.add(MzRect{0, 0, width_, height_}); }

const DirtyRegion& CMzWnd::dirtyRegion() {
  if (changesAsked_) {
    changesAsked_ = false;
    addChangedParts(dirty_);
  }
  return dirty_;
}

DirtyRegion CMzWnd::takeDirtyRegion() {
  const DirtyRegion dirty = dirtyRegion();
  dirty_.clear();
  return dirty;
}

MzRect CMzWnd::takeDirtyRect() { return takeDirtyRegion().bounds(); }

// Without a background colour, what no control covers takes the toolbar's colour: a frame
// never shows leftovers of an earlier one, and a strip left between a picture and the toolbar
// below it reads as part of the toolbar rather than as a black gap.
void CMzWnd::Paint(Canvas& canvas) const { paintBackground(canvas, canvas.clip()); }

void CMzWnd::paintBackground(Canvas& canvas, const MzRect& area) const {
  canvas.fill(intersection(area, MzRect{0, 0, width_, height_}),
              fillBackground_ ? BackgroundColour : UiToolbar_Text::BackgroundColour);
}

void CMzWnd::appendVisibleControlIds(std::string&) const {}

UiWin* CMzWnd::controlTakingPress(int32_t, int32_t) const { return nullptr; }

void CMzWnd::pointerDown(int32_t x, int32_t y) {
  cancelPress();  // a press whose release never came ends without a command
  if (UiWin* control = controlTakingPress(x, y)) {
    pressedControl_ = control;
    control->PressBegan(x, y);
    return;
  }
  windowHeld_ = true;
  OnLButtonDown(LeftButtonFlag, x, y);
}

void CMzWnd::pointerMove(int32_t x, int32_t y) {
  if (pressedControl_) {
    pressedControl_->PressMoved(x, y);
  } else if (windowHeld_) {
    OnMouseMove(LeftButtonFlag, x, y);
  }
}

void CMzWnd::pointerUp(int32_t x, int32_t y) {
  if (UiWin* control = pressedControl_) {
    pressedControl_ = nullptr;
    uint32_t wParam = 0;
    int32_t lParam = 0;
    // A control hidden while held reports nothing.
    if (control->PressEnded(x, y, wParam, lParam) && control->IsVisible()) handleCommand(wParam, lParam);
  } else if (windowHeld_) {
    windowHeld_ = false;
    OnLButtonUp(0, x, y);
  }
}

void CMzWnd::cancelPress() {
  if (UiWin* control = pressedControl_) {
    pressedControl_ = nullptr;
    uint32_t wParam = 0;
    int32_t lParam = 0;
    // Released far outside: the control shows its rest state and reports nothing.
    control->PressEnded(-1, -1, wParam, lParam);
  }
  windowHeld_ = false;
}

void CMzWnd::pressControlAt(UiWin* control, int32_t x, int32_t y) {
  cancelPress();
  if (!control) return;
  pressedControl_ = control;
  control->PressBegan(x, y);
}

std::vector<FocusStop> CMzWnd::focusStops() const { return {}; }

void CMzWnd::forgetPress(const UiWin* control) {
  if (pressedControl_ == control) pressedControl_ = nullptr;
}

CMzWndEx::~CMzWndEx() {
  // Controls outliving the window must not point back at it.
  for (UiWin* control : controls_) control->window_ = nullptr;
}

void CMzWndEx::AddUiWin(UiWin* control) {
  if (!control || control->window_ == this) return;
  if (control->window_) control->window_->removeControl(control);
  control->window_ = this;
  controls_.push_back(control);
  control->Invalidate();
}

void CMzWndEx::removeControl(UiWin* control) {
  forgetPress(control);
  if (control->drawn_.visible) Invalidate(&control->drawn_.rect);
  control->drawn_ = UiWin::Drawn{};
  control->window_ = nullptr;
  std::erase(controls_, control);
}

// Each control's place and look against how it was last drawn: a control
// that changed is repainted where it was and where it is now. The texts are
// looked up in the active language as they are drawn, so a new language
// repaints everything.
void CMzWndEx::addChangedParts(DirtyRegion& dirty) {
  const MzRect whole{0, 0, width_, height_};
  if (activeLanguage() != drawnLanguage_) {
    drawnLanguage_ = activeLanguage();
    dirty.add(whole);
  }
  for (UiWin* control : controls_) {
    const UiWin::Drawn now = control->drawnNow();
    if (now.same(control->drawn_)) continue;
    if (control->drawn_.visible) dirty.add(intersection(control->drawn_.rect, whole));
    if (now.visible) dirty.add(intersection(now.rect, whole));
    control->drawn_ = now;
  }
}

int32_t CMzWndEx::OnInitDialog() { return CMzWnd::OnInitDialog(); }

void CMzWndEx::paintUncoveredBackground(Canvas& canvas) const {
  // The clip less every visible opaque control, as a few rectangles. A piece
  // that would not fit in the list stays whole: filling too much is only slower.
  constexpr size_t MaxParts = 32;
  std::array<MzRect, MaxParts> parts{canvas.clip()};
  size_t count = 1;
  for (const UiWin* control : controls_) {
    if (!control->IsVisible() || !control->IsOpaque()) continue;
    const MzRect bounds = rectOf(control->GetPosX(), control->GetPosY(), control->GetWidth(), control->GetHeight());
    std::array<MzRect, MaxParts> next;
    size_t nextCount = 0;
    for (size_t i = 0; i < count; ++i) {
      MzRect pieces[4];
      const int32_t made = subtractRect(parts[i], bounds, pieces);
      if (nextCount + static_cast<size_t>(made) > MaxParts - (count - i - 1)) {
        next[nextCount++] = parts[i];
        continue;
      }
      for (int32_t k = 0; k < made; ++k) next[nextCount++] = pieces[k];
    }
    parts = next;
    count = nextCount;
  }
  for (size_t i = 0; i < count; ++i) paintBackground(canvas, parts[i]);
}

void CMzWndEx::Paint(Canvas& canvas) const {
  const MzRect& clip = canvas.clip();
  // Start at the top-most opaque control that covers the whole clip: what
  // lies beneath it cannot show.
  size_t first = controls_.size();
  while (first > 0) {
    const UiWin* control = controls_[first - 1];
    const MzRect bounds = rectOf(control->GetPosX(), control->GetPosY(), control->GetWidth(), control->GetHeight());
    if (control->IsVisible() && control->IsOpaque() && covers(bounds, clip)) break;
    --first;
  }
  if (first == 0) {
    paintUncoveredBackground(canvas);
  } else {
    --first;
  }
  for (size_t i = first; i < controls_.size(); ++i) {
    const UiWin* control = controls_[i];
    if (!control->IsVisible()) continue;
    const MzRect bounds = rectOf(control->GetPosX(), control->GetPosY(), control->GetWidth(), control->GetHeight());
    if (!isEmpty(intersection(bounds, clip))) control->Paint(canvas);
  }
}

void CMzWndEx::appendVisibleControlIds(std::string& json) const {
  bool first = true;
  for (const UiWin* control : controls_) {
    if (!control->IsVisible()) continue;
    if (!first) json += ',';
    json += std::to_string(control->GetID());
    first = false;
  }
}

UiWin* CMzWndEx::controlTakingPress(int32_t x, int32_t y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    UiWin* control = *it;
    if (!control->IsVisible() || !control->Contains(x, y)) continue;
    if (control->TakesPress()) return control;
    if (control->ShowsPicture()) return nullptr;  // the picture covers what lies beneath
  }
  return nullptr;
}

// A screen drawn over a picture that fills the window (the menu, the panels
// over it, the level-passed and game-over screens) is navigated by keys: its
// stops are the buttons above that picture that a finger could press. Without
// such a picture (the board itself) the window keeps its keys.
std::vector<FocusStop> CMzWndEx::focusStops() const {
  const MzRect whole{0, 0, width_, height_};
  size_t backdrop = controls_.size();
  for (size_t i = controls_.size(); i > 0; --i) {
    const UiWin* control = controls_[i - 1];
    if (control->IsVisible() && !control->TakesPress() &&
        covers(rectOf(control->GetPosX(), control->GetPosY(), control->GetWidth(), control->GetHeight()), whole)) {
      backdrop = i - 1;
      break;
    }
  }
  std::vector<FocusStop> stops;
  if (backdrop == controls_.size()) return stops;
  for (size_t i = backdrop + 1; i < controls_.size(); ++i) {
    UiWin* control = controls_[i];
    if (!control->IsVisible()) continue;
    for (int32_t part = 0; part < control->FocusPartCount(); ++part) {
      const MzRect rect = intersection(control->FocusPartRect(part), whole);
      if (isEmpty(rect)) continue;
      // Covered by something drawn later: a finger could not press it either.
      if (controlTakingPress((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) != control) continue;
      stops.push_back(FocusStop{control, part, rect});
    }
  }
  std::stable_sort(stops.begin(), stops.end(), [](const FocusStop& a, const FocusStop& b) {
    return a.rect.top != b.rect.top ? a.rect.top < b.rect.top : a.rect.left < b.rect.left;
  });
  return stops;
}
