// The page host's clock, event queue and output.
#include "platform/web/web_host.hpp"

#include <emscripten.h>

#include <algorithm>

#include "platform/canvas.hpp"
#include "platform/web/page_bridge.hpp"

namespace {

// A waiting nested loop looks at its queue about once a display frame.
constexpr uint64_t LongestSleepMs = 16;
// A language's package that has not come by then is given up.
constexpr double LongestLanguageWaitMs = 20000;

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

bool WebHost::prepareLanguage(const std::string& language) {
  const double started = emscripten_get_now();
  quandrel_page_load_language(language.c_str());
  for (;;) {
    const int32_t state = quandrel_page_language_state(language.c_str());
    if (state != PageLanguageLoading) return state == PageLanguageLoaded;
    if (emscripten_get_now() - started > LongestLanguageWaitMs) return false;
    sleeping_ = true;
    emscripten_sleep(LongestSleepMs);
    sleeping_ = false;
  }
}

void WebHost::showWindow(bool show) { quandrel_page_show_canvas(show ? 1 : 0); }

void WebHost::raiseWindow() { quandrel_page_focus_canvas(); }

void WebHost::wake() {
  HostEvent event;
  event.kind = HostEvent::Kind::Wake;
  post(event);
}
