// The page runs the message loop when something is due or input came, and
// sleeps in between; the page's handlers reach the host through the functions
// exported here.
#include "platform/web/page_loop.hpp"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/key_names.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_app.hpp"
#include "platform/platform_state.hpp"
#include "platform/session_recorder.hpp"
#include "platform/web/dom_keys.hpp"
#include "platform/web/page_bridge.hpp"
#include "platform/web/web_host.hpp"

namespace {

CMzApp* runningApp = nullptr;
WebHost* pageHost = nullptr;

// The page records every session, so the player can download it at any time.
std::string sessionScript;
SessionRecorder& sessionRecorder() {
  static SessionRecorder recorder([](std::string_view line) { sessionScript += line; });
  return recorder;
}

// Shutdown, then the process's end: the exit handlers run (the application
// object's destructor saves what it keeps), then the page shows the end.
void endProgram(int code) {
  runningApp->Shutdown();
  runningApp = nullptr;
  setCurrentHost(nullptr);
  pageHost = nullptr;
  emscripten_force_exit(code);
}

// Everything due by now and every event queued, then the files kept, then
// asleep until the next due time (the page wakes the loop early for input).
// A hidden tab's clock stands still: nothing comes due until it shows again.
void runDue() {
  static bool running = false;
  if (!pageHost || running) return;  // a nested call's events are the running step's
  running = true;
  pageHost->startSlice();
  const uint64_t now = pageHost->nowMs();
  PumpResult result;
  do {
    result = pumpMessage(now);
  } while (result == PumpResult::Progress);
  running = false;
  if (result == PumpResult::Quit) {
    const int code = quitCode();
    clearQuit();
    endProgram(code);
    return;
  }
  quandrel_page_store_files();
  const uint64_t wakeAt = nextWakeMs();
  const bool asleep = wakeAt == UINT64_MAX || pageHost->hidden();
  quandrel_page_wake_in(asleep ? -1.0 : static_cast<double>(wakeAt - std::min(wakeAt, pageHost->nowMs())));
}

}  // namespace

int runInPage(CMzApp& app) {
  static WebHost host;
  host.setHidden(quandrel_page_hidden() != 0);
  setCurrentHost(&host);
  setSessionRecorder(&sessionRecorder());
  // The page's clock starts when the page showed the splash, and so do the
  // program's first timers: the page's splash and the program's are one.
  startLoopClockAtHostZero();
  host.startSlice();
  if (app.Init() == 0) {
    app.Shutdown();
    setCurrentHost(nullptr);
    return 0;
  }
  runningApp = &app;
  pageHost = &host;
  runDue();
  // The page runs the loop from its timeout and its handlers from now on;
  // main returns without ending the program.
  emscripten_exit_with_live_runtime();
}

// The page's handlers. Each does nothing before the program runs or after
// it ended.
extern "C" {

// The page's timeout, or input just posted: runs what is due.
EMSCRIPTEN_KEEPALIVE void quandrel_page_run() { runDue(); }

// `action`: 0 down, 1 move, 2 up, 3 cancel; the position relative to the
// canvas, shown `width` x `height` CSS pixels large.
EMSCRIPTEN_KEEPALIVE void quandrel_page_pointer(int action, double x, double y, double width,
                                                double height) {
  if (!pageHost || action < 0 || action > 3) return;
  HostEvent event;
  if (pageHost->pointer().translate(static_cast<PagePointer::Action>(action), x, y, width, height, event)) {
    pageHost->post(event);
  }
}

// A press at window pixel (x, y) as a finger's quick tap: the page's mirror
// of the screen's buttons presses them so.
EMSCRIPTEN_KEEPALIVE void quandrel_page_press(int x, int y) {
  if (!pageHost) return;
  HostEvent event;
  event.x = x;
  event.y = y;
  event.kind = HostEvent::Kind::PointerDown;
  pageHost->post(event);
  event.kind = HostEvent::Kind::PointerUp;
  pageHost->post(event);
}

// Returns 1 when the game takes the key (the page then keeps it from the
// browser).
EMSCRIPTEN_KEEPALIVE int quandrel_page_key(const char* key, int alt, int ctrl, int meta, int shift) {
  if (!pageHost || !key) return 0;
  HostEvent event;
  if (!translateDomKey(DomKeyPress{key, alt != 0, ctrl != 0, meta != 0, shift != 0}, event)) return 0;
  pageHost->post(event);
  return 1;
}

// A gamepad button pressed, by name (up down left right a b x y start).
EMSCRIPTEN_KEEPALIVE void quandrel_page_pad(const char* name) {
  if (!pageHost || !name) return;
  const std::optional<MzPadButton> button = padButtonFromName(name);
  if (!button) return;
  HostEvent event;
  event.kind = HostEvent::Kind::Pad;
  event.pad = *button;
  pageHost->post(event);
}

// The tab hidden or shown: the game's clock stops or goes on.
EMSCRIPTEN_KEEPALIVE void quandrel_page_visibility(int hidden) {
  if (pageHost) pageHost->setHidden(hidden != 0);
}

// The reply to web request `request` (quandrel_page_fetch): its status, 0 for
// no answer, and its body (malloc'd by the page, freed here).
EMSCRIPTEN_KEEPALIVE void quandrel_page_web_reply(uint32_t request, int status, char* body) {
  std::string text = body != nullptr ? body : "";
  std::free(body);
  if (pageHost) pageHost->post(webReplyEvent(WebReply{request, status, std::move(text)}));
}

// The page went away (hidden, or the keyboard focus left it) or came back:
// the platform pauses the game as it does for a desktop window.
EMSCRIPTEN_KEEPALIVE void quandrel_page_focus(int away) {
  if (!pageHost) return;
  HostEvent event;
  event.kind = away != 0 ? HostEvent::Kind::FocusLost : HostEvent::Kind::FocusGained;
  pageHost->post(event);
}

// The page goes away: the game closes as its window would, at once unless a
// question's loop is asleep (the page cannot wake it any more; what the game
// keeps was saved before it asked).
EMSCRIPTEN_KEEPALIVE void quandrel_page_close() {
  if (!pageHost) return;
  HostEvent event;
  event.kind = HostEvent::Kind::Close;
  pageHost->post(event);
  if (!pageHost->sleeping()) runDue();
}

// The host's clock and the platform's state as one line of JSON (as the
// headless host's dump), for tests and for looking on.
EMSCRIPTEN_KEEPALIVE const char* quandrel_page_state() {
  static std::string json;
  json.clear();
  if (!pageHost) return "null";
  json = "{\"t\":" + std::to_string(pageHost->nowMs());
  appendPlatformDebugState(json);
  json += '}';
  return json.c_str();
}

// The session so far as a headless script, ending with the wait up to the
// moment the loop has reached, so that it replays to the state the page shows.
EMSCRIPTEN_KEEPALIVE const char* quandrel_page_recording() {
  static std::string text;
  text = sessionScript;
  const uint64_t last = sessionRecorder().lastMomentMs();
  if (loopNowMs() > last) text += "wait " + std::to_string(loopNowMs() - last) + '\n';
  return text.c_str();
}

// The state at the loop's moment, as --dump-at-exit writes it: what a replay
// of quandrel_page_recording() dumps at its end.
EMSCRIPTEN_KEEPALIVE const char* quandrel_page_loop_state() {
  static std::string json;
  json = pageHost ? loopStateJson() : std::string("null");
  return json.c_str();
}

}  // extern "C"
