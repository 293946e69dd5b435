// The pause while the window is away: the timer queue stopped, a veil drawn,
// and the input that lifts the veil kept from the game.
#include "platform/focus_pause.hpp"

#include "platform/canvas.hpp"
#include "platform/image.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"
#include "platform/question_box.hpp"
#include "platform/timer_queue.hpp"

namespace {

constexpr uint32_t VeilColour = packRgba(0, 0, 0, 170);
constexpr MzRect TitleArea = rectOf(0, 300, Canvas::Width, 60);
constexpr MzRect HintArea = rectOf(0, 370, Canvas::Width, 40);
constexpr int32_t TitleHeight = 44;
constexpr int32_t HintHeight = 28;
constexpr MzColour TitleColour = 0xFFFFFF;
constexpr MzColour HintColour = 0xD8D8D8;
constexpr const char16_t* Title = u"游戏已暂停";
constexpr const char16_t* Hint = u"点击继续";

constinit bool enabled = true;
constinit bool paused = false;
// The press that lifted the veil: its drag and release stay with the veil too.
constinit bool holdingResumingPress = false;

void pause() {
  CMzWnd* window = frontWindow();
  if (paused || !window || !window->IsWindowVisible()) return;
  paused = true;
  timerQueue().pause(loopNowMs());
  // A button or question button held when the focus went returns to rest;
  // its release will never come.
  window->cancelPress();
  questionBox().pointerUp(-1, -1);
  window->invalidateWhole();
}

void resume() {
  paused = false;
  timerQueue().resume(loopNowMs());
  if (CMzWnd* window = frontWindow()) window->invalidateWhole();
}

}  // namespace

void setFocusPauseEnabled(bool on) {
  enabled = on;
  if (on) return;
  if (paused) resume();
  holdingResumingPress = false;
}

bool focusPauseEnabled() { return enabled; }
bool focusPaused() { return paused; }

bool focusPauseTakes(const HostEvent& event) {
  using Kind = HostEvent::Kind;
  switch (event.kind) {
    case Kind::FocusLost:
      if (enabled) pause();
      return true;
    case Kind::FocusGained:  // the veil waits for the player's own press or key
      return true;
    case Kind::Close:
    case Kind::Wake:
    case Kind::WebReply:  // not the player's: the game takes it paused or not
      return false;
    case Kind::PointerDown:
      if (!paused) return false;
      holdingResumingPress = true;
      resume();
      return true;
    case Kind::PointerMove:
      return paused || holdingResumingPress;
    case Kind::PointerUp: {
      const bool taken = paused || holdingResumingPress;
      holdingResumingPress = false;
      return taken;
    }
    case Kind::Key:
    case Kind::Pad:
    case Kind::Command:
    case Kind::Answer:
      if (!paused) return false;
      resume();
      return true;
  }
  return false;
}

void paintFocusVeil(Canvas& canvas) {
  if (!paused) return;
  canvas.fill(canvasRect(), VeilColour);
  canvas.drawText(Title, TitleArea, TitleHeight, TitleColour);
  canvas.drawText(Hint, HintArea, HintHeight, HintColour);
}
