// The page host's clock, event queue and output.
#include "platform/web/web_host.hpp"

#include <emscripten.h>

#include <algorithm>
#include <span>

#include "platform/canvas.hpp"
#include "platform/web/page_bridge.hpp"

namespace {

// A waiting nested loop looks at its queue about once a display frame.
constexpr uint64_t LongestSleepMs = 16;

}  // namespace

WebHost::WebHost() : clock_(emscripten_get_now()) {}

uint64_t WebHost::nowMs() { return clock_.nowMs(emscripten_get_now()); }

void WebHost::setHidden(bool hidden) { clock_.setHidden(hidden, emscripten_get_now()); }

bool WebHost::waitEvent(uint64_t deadlineMs, HostEvent& event) {
  for (;;) {
    if (!events_.empty()) {
      event = events_.front();
      events_.pop_front();
      return true;
    }
    const uint64_t now = nowMs();
    if (now >= deadlineMs) return false;
    sleeping_ = true;
    emscripten_sleep(static_cast<unsigned>(std::min(deadlineMs - now, LongestSleepMs)));
    sleeping_ = false;
  }
}

void WebHost::present(const Canvas& frame, const MzRect& dirty) {
  const MzRect changed = intersection(dirty, canvasRect());
  if (isEmpty(changed)) return;
  quandrel_page_present(frame.pixels(), changed.left, changed.top, changed.right - changed.left,
                        changed.bottom - changed.top);
}

void WebHost::playSound(const std::string& path, bool loop) {
  quandrel_page_play_sound(path.c_str(), loop ? 1 : 0);
}

void WebHost::prepareSound(const std::string& path) { quandrel_page_prepare_sound(path.c_str()); }

void WebHost::pulse(HapticPulse pulse) {
  const std::span<const uint32_t> pattern = hapticPattern(pulse);
  quandrel_page_vibrate(pattern.data(), static_cast<int32_t>(pattern.size()));
}

void WebHost::showWindow(bool show) { quandrel_page_show_canvas(show ? 1 : 0); }

void WebHost::raiseWindow() { quandrel_page_focus_canvas(); }

void WebHost::wake() {
  HostEvent event;
  event.kind = HostEvent::Kind::Wake;
  post(event);
}
