// The page host's clock, event queue and output.
#include "platform/web/web_host.hpp"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <span>

#include "platform/announcements.hpp"
#include "platform/canvas.hpp"
#include "platform/language/language.hpp"
#include "platform/system/utf.hpp"
#include "platform/web/page_bridge.hpp"

namespace {

// A path of the module's file system in UTF-8 with '/' separators.
std::string pagePath(std::u16string_view path) {
  std::string page = utf8FromUtf16(path);
  std::replace(page.begin(), page.end(), '\\', '/');
  return page;
}

// While a language's pictures load, the page is asked about once a frame; a
// language whose pictures have not come in this time is given up.
constexpr double LanguagePollMs = 16;
constexpr double LongestLanguageWaitMs = 20000;
// The longest the program holds the page's main thread in long work before it
// yields: a phone four times slower than the machine measured keeps each
// task well under the 50 ms after which the page stops answering promptly.
constexpr double SliceMs = 8;

}  // namespace

WebHost::WebHost() : clock_(quandrel_page_clock_start()) {}

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
    // Until the deadline, or until the page has input (or shows again): a
    // hidden tab's clock stands still, so only that can bring the deadline.
    const bool untilWoken = deadlineMs == UINT64_MAX || clock_.hidden();
    sleep(untilWoken ? -1.0 : static_cast<double>(deadlineMs - now));
  }
}

void WebHost::present(const Canvas& frame, const MzRect& dirty) {
  const MzRect changed = intersection(dirty, canvasRect());
  if (isEmpty(changed)) return;
  quandrel_page_present(frame.pixels(), changed.left, changed.top, changed.right - changed.left,
                        changed.bottom - changed.top);
  followLanguage();
}

void WebHost::followLanguage() {
  if (activeLanguage() == shownLanguage_) return;
  shownLanguage_ = activeLanguage();
  quandrel_page_show_language(shownLanguage_.c_str());
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
    sleep(LanguagePollMs);
  }
}

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
  quandrel_page_wake_in(0);
}

void WebHost::keepScreenAwake(bool awake) { quandrel_page_keep_screen_awake(awake ? 1 : 0); }

bool WebHost::fileArriving(std::u16string_view path) {
  // Most of the time nothing is on its way: asked without a path.
  return quandrel_page_file_arriving(nullptr) != 0 && quandrel_page_file_arriving(pagePath(path).c_str()) != 0;
}

void WebHost::awaitFile(std::u16string_view path) {
  sleeping_ = true;
  quandrel_page_await_file(pagePath(path).c_str());
  sleeping_ = false;
  startSlice();
}

void WebHost::yieldIfBusy() {
  if (emscripten_get_now() - sliceStartMs_ >= SliceMs) sleep(0);
}

void WebHost::startSlice() { sliceStartMs_ = emscripten_get_now(); }

void WebHost::sleep(double ms) {
  sleeping_ = true;
  quandrel_page_sleep(ms);
  sleeping_ = false;
  startSlice();
}

ShareOutcome WebHost::shareText(const std::string& text) {
  return quandrel_page_share(text.c_str()) != 0 ? ShareOutcome::Handed : ShareOutcome::Failed;
}

namespace {

// A string the page allocated, taken over and freed.
std::string takePageString(char* text) {
  if (text == nullptr) return {};
  std::string copy(text);
  std::free(text);
  return copy;
}

}  // namespace

std::string WebHost::clipboardText() {
  sleeping_ = true;
  std::string text = takePageString(quandrel_page_read_clipboard());
  sleeping_ = false;
  return text;
}

uint32_t WebHost::sendWebRequest(const WebRequest& request) {
  const uint32_t number = ++lastWebRequest_;
  quandrel_page_fetch(number, request.method == WebRequest::Method::Post ? 1 : 0, request.url.c_str(),
                      request.body.c_str());
  return number;
}

std::string WebHost::runLink(const std::string& token) { return takePageString(quandrel_page_run_link(token.c_str())); }

void WebHost::announce(std::string_view text, AnnouncementPriority priority) {
  followLanguage();  // the words may come before the first frame in their language
  const std::string terminated(text);
  quandrel_page_announce(terminated.c_str(), priority == AnnouncementPriority::Assertive ? 1 : 0,
                         speechEnabled() ? 1 : 0);
}

void WebHost::describeButtons(std::span<const ButtonDescription> buttons) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ButtonDescription& button = buttons[i];
    quandrel_page_mirror_button(static_cast<int32_t>(i), button.name.c_str(), button.rect.left, button.rect.top,
                                button.rect.right, button.rect.bottom, button.focused ? 1 : 0);
  }
  quandrel_page_mirror_done(static_cast<int32_t>(buttons.size()));
}

void WebHost::playCue(const std::string& path, float pan) { quandrel_page_play_cue(path.c_str(), pan); }
