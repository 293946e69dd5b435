// The message loop step, painting, posted tasks, the fade-in and the modal
// question's nested loop.
#include "platform/message_loop.hpp"

#include <algorithm>
#include <atomic>
#include <limits>
#include <mutex>
#include <vector>

#include "platform/button_mirror.hpp"
#include "platform/canvas.hpp"
#include "platform/focus_navigation.hpp"
#include "platform/focus_pause.hpp"
#include "platform/host.hpp"
#include "platform/image.hpp"
#include "platform/key_names.hpp"
#include "platform/language/language.hpp"
#include "platform/mz_functions.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"
#include "platform/question_box.hpp"
#include "platform/session_recorder.hpp"
#include "platform/system/utf.hpp"
#include "platform/timer_queue.hpp"

namespace {

constexpr uint64_t NoDeadline = std::numeric_limits<uint64_t>::max();
constexpr uint64_t FadeMs = 400;
constexpr uint64_t FadeFrameMs = 16;

std::mutex postedMutex;
std::vector<std::function<void()>> postedTasks;
std::atomic<bool> tasksPending{false};

bool fading = false;
uint64_t fadeStartMs = 0;

// The loop's own clock. Moment 0 is the first step (what the program does
// before it, such as starting its first timers, happens at 0), and the moment
// being handled is a timer's due time while it fires and an event's time while
// it is delivered. Timers started in a handler count from that moment, not
// from whenever the host's clock has got to, so a run depends only on the
// moments of its events, which the recorder writes.
bool loopStarted = false;
uint64_t loopEpochMs = 0;  // the host's clock at moment 0
uint64_t momentMs = 0;
SessionRecorder* recorder = nullptr;

// The host's clock as a loop moment.
uint64_t hostMoment(Host& host) {
  const uint64_t now = host.nowMs();
  return now > loopEpochMs ? now - loopEpochMs : 0;
}

uint64_t hostNow() {
  Host* host = currentHost();
  return host ? host->nowMs() : 0;
}

void runPostedTasks() {
  if (!tasksPending.exchange(false)) return;
  std::vector<std::function<void()>> tasks;
  {
    std::lock_guard lock(postedMutex);
    tasks.swap(postedTasks);
  }
  for (auto& task : tasks) task();
}

// Fires, in order, every timer due at or before `upTo`, each at its own due
// moment. A loop that woke late catches up on the ticks it missed: the headless
// host is never late, so skipping them here would make a live run differ from
// its replay.
// A button pressed from the keyboard is let go of at a moment of its own, and
// takes its turn among the timers; with a tick due at the same moment it goes
// first.
void fireDueTimers(uint64_t upTo) {
  TimerQueue& timers = timerQueue();
  TimerQueue::Timer due;
  while (!quitPosted()) {
    const uint64_t nextTick = timers.nextDueMs();
    const uint64_t release = focusPressDueMs();
    const uint64_t next = std::min(nextTick, release);
    if (next > upTo) break;
    momentMs = std::max(momentMs, next);
    if (release <= nextTick) {
      finishFocusPress();
      if (CMzWnd* window = frontWindow()) window->AnnounceChanges();
      continue;
    }
    if (!timers.popDue(momentMs, due)) break;
    if (CMzWnd* window = windowFromHandle(due.window)) {
      window->OnTimer(due.id);
      window->AnnounceChanges();
    }
  }
  momentMs = std::max(momentMs, upTo);
}

// The next moment something is due: a timer whose tick does something, or a
// keyboard press's release. Idle timers' ticks fire in turn when the loop
// next runs.
uint64_t nextDueMoment() {
  const TimerQueue& timers = timerQueue();
  uint64_t next = focusPressDueMs();
  if (timers.paused()) return next;
  for (size_t i = 0; i < timers.size(); ++i) {
    const CMzWnd* window = windowFromHandle(timers[i].window);
    if (window == nullptr || !window->timerIdle(timers[i].id)) next = std::min(next, timers[i].dueMs);
  }
  return next;
}

// The veil that fades the window in: opaque black at the start, gone at the end.
void paintFade(Canvas& canvas) {
  if (!fading) return;
  const uint64_t elapsed = hostNow() - fadeStartMs;
  if (elapsed >= FadeMs) {
    fading = false;
    return;
  }
  const auto alpha = static_cast<uint32_t>(255 * (FadeMs - elapsed) / FadeMs);
  canvas.fill(canvasRect(), packRgba(0, 0, 0, alpha));
}

// Tells the host when play starts or stops: the window's play, unless the
// focus pause's veil or a question stands over it.
bool playReported = false;
void reportPlayInProgress(Host& host) {
  const CMzWnd* window = frontWindow();
  const bool playing = window && window->IsPlayInProgress() && !focusPaused() && !questionBox().isOpen();
  if (playing == playReported) return;
  playReported = playing;
  host.keepScreenAwake(playing);
}

// A pad button moves the focus ring and answers the question box as the key
// it stands for does.
HostEvent asKeyEvent(const HostEvent& event) {
  if (event.kind != HostEvent::Kind::Pad) return event;
  HostEvent key;
  key.kind = HostEvent::Kind::Key;
  key.key = keyForPadButton(event.pad);
  return key;
}

void deliver(const HostEvent& received) {
  if (focusPauseTakes(received)) return;
  const HostEvent event = asKeyEvent(received);
  // A key's press still held ends before other input; closing the window
  // lets go of it as it does of a finger's.
  if (event.kind != HostEvent::Kind::Wake && event.kind != HostEvent::Kind::Close &&
      event.kind != HostEvent::Kind::WebReply)
    finishFocusPress();
  if (event.kind == HostEvent::Kind::PointerDown) hideFocusRing();
  CMzWnd* window = frontWindow();
  QuestionBox& question = questionBox();
  if (question.isOpen()) {
    switch (event.kind) {
      case HostEvent::Kind::PointerDown: question.pointerDown(event.x, event.y); break;
      case HostEvent::Kind::PointerMove: question.pointerMove(event.x, event.y); break;
      case HostEvent::Kind::PointerUp: question.pointerUp(event.x, event.y); break;
      case HostEvent::Kind::Key: question.keyDown(event.key); break;
      case HostEvent::Kind::Answer: question.answer(event.yes); break;
      case HostEvent::Kind::Close:
        question.answer(false);
        PostQuitMessage(0);
        break;
      case HostEvent::Kind::WebReply:
        if (window) window->OnWebReply(event.id, event.arg, event.text);
        break;
      case HostEvent::Kind::Command:  // the window is blocked by the question
      case HostEvent::Kind::Wake:
      case HostEvent::Kind::FocusLost:  // taken by the focus pause
      case HostEvent::Kind::FocusGained:
      case HostEvent::Kind::Pad: break;
    }
    if (window) window->invalidateWhole();
    return;
  }
  if (event.kind == HostEvent::Kind::Close) {
    PostQuitMessage(0);
    return;
  }
  if (!window) return;
  switch (event.kind) {
    case HostEvent::Kind::PointerDown: window->pointerDown(event.x, event.y); break;
    case HostEvent::Kind::PointerMove: window->pointerMove(event.x, event.y); break;
    case HostEvent::Kind::PointerUp: window->pointerUp(event.x, event.y); break;
    case HostEvent::Kind::Key:
      if (focusNavigationTakes(*window, event)) break;
      if (received.kind == HostEvent::Kind::Pad) {
        window->OnPadButton(received.pad);
      } else {
        window->OnKeyDown(event.key, event.modifiers);
      }
      break;
    case HostEvent::Kind::Command: window->handleCommand(event.id, event.arg); break;
    case HostEvent::Kind::WebReply: window->OnWebReply(event.id, event.arg, event.text); break;
    case HostEvent::Kind::Answer:
    case HostEvent::Kind::Close:
    case HostEvent::Kind::Wake:
    case HostEvent::Kind::FocusLost:
    case HostEvent::Kind::FocusGained:
    case HostEvent::Kind::Pad: break;
  }
}

}  // namespace

PumpResult pumpMessage(uint64_t deadlineMs) {
  Host* host = currentHost();
  if (!host) return PumpResult::Quit;
  if (!loopStarted) {
    loopStarted = true;
    loopEpochMs = host->nowMs() - std::min(host->nowMs(), momentMs);
  }
  runPostedTasks();
  fireDueTimers(hostMoment(*host));
  if (quitPosted()) return PumpResult::Quit;
  // What changed without an event of this step (a question opening in its
  // own loop) is told before waiting.
  if (CMzWnd* window = frontWindow()) window->AnnounceChanges();
  paintIfDirty();
  reportPlayInProgress(*host);

  HostEvent event;
  if (host->waitEvent(std::min(deadlineMs, nextWakeMs()), event)) {
    // Live and in replay alike, every timer due at or before the event's
    // moment fires before the event. The headless host's `wait` does the
    // same (it stops at each due time, and a line after it is read only once
    // nothing is due), so the moment written here replays to the same order.
    const uint64_t at = hostMoment(*host);
    fireDueTimers(at);
    if (quitPosted()) return PumpResult::Quit;
    if (recorder && event.kind != HostEvent::Kind::Wake) recorder->record(event, at);
    deliver(event);
    if (CMzWnd* window = frontWindow()) window->AnnounceChanges();
  } else if (host->nowMs() >= deadlineMs) {
    // The caller's time has come: what is due by then still happens, and the
    // frame shows it.
    fireDueTimers(hostMoment(*host));
    if (quitPosted()) return PumpResult::Quit;
    paintIfDirty();
    return PumpResult::Idle;
  }
  return quitPosted() ? PumpResult::Quit : PumpResult::Progress;
}

int32_t runMessageLoop() {
  while (pumpMessage(NoDeadline) != PumpResult::Quit) {
  }
  const int32_t code = quitCode();
  clearQuit();
  return code;
}

uint64_t nextWakeMs() {
  Host* host = currentHost();
  if (!host) return NoDeadline;
  if (tasksPending) return host->nowMs();
  uint64_t wakeAt = NoDeadline;
  if (const uint64_t nextDue = nextDueMoment(); nextDue != NoDeadline) wakeAt = nextDue + loopEpochMs;
  if (fading) wakeAt = std::min(wakeAt, host->nowMs() + FadeFrameMs);
  return wakeAt;
}

namespace {
const uint64_t* privateClock = nullptr;
}  // namespace

uint64_t loopNowMs() { return privateClock != nullptr ? *privateClock : momentMs; }

const uint64_t* useLoopClock(const uint64_t* clock) {
  const uint64_t* previous = privateClock;
  privateClock = clock;
  return previous;
}

void restartLoopClock() {
  loopStarted = false;
  loopEpochMs = 0;
  momentMs = 0;
  playReported = false;  // a new host has been told nothing yet
  forgetDescribedButtons();
}

void startLoopClockAtHostZero() {
  restartLoopClock();
  loopStarted = true;
}

void setSessionRecorder(SessionRecorder* sessionRecorder) { recorder = sessionRecorder; }

std::string loopStateJson() {
  std::string json = "{\"t\":" + std::to_string(momentMs);
  appendPlatformDebugState(json);
  json += '}';
  return json;
}

void paintIfDirty() {
  CMzWnd* window = frontWindow();
  if (!window || !window->IsWindowVisible()) return;
  if (fading) window->invalidateWhole();
  refreshFocusRing(*window);
  describeButtonsIfChanged(*window);
  const DirtyRegion dirty = window->takeDirtyRegion();
  const MzRect changed = intersection(dirty.bounds(), canvasRect());
  if (isEmpty(changed)) return;
  // Each changed part is composed by itself; the host gets the box around them.
  Canvas& canvas = frame();
  for (const MzRect& part : dirty.rects()) {
    const MzRect clip = intersection(part, canvasRect());
    if (isEmpty(clip)) continue;
    canvas.setClip(clip);
    window->Paint(canvas);
    paintFocusRing(canvas);
    questionBox().paint(canvas);
    paintFocusVeil(canvas);
    paintFade(canvas);
  }
  canvas.setClip(canvasRect());
  if (Host* host = currentHost()) host->present(canvas, changed);
}

const Canvas& currentFrame() { return frame(); }

void postToGuiThread(std::function<void()> task) {
  {
    std::lock_guard lock(postedMutex);
    postedTasks.push_back(std::move(task));
  }
  tasksPending = true;
  if (Host* host = currentHost()) host->wake();
}

void startFadeIn() {
  fading = true;
  fadeStartMs = hostNow();
}

bool questionOpen() { return questionBox().isOpen(); }

int32_t askQuestion(const char16_t* text, const char16_t* caption) {
  QuestionBox& question = questionBox();
  // Nothing could answer a question asked while quitting, without a host, or
  // inside another question: those are answered no at once.
  if (quitPosted() || !currentHost() || question.isOpen()) return QuestionBox::No;
  CMzWnd* window = frontWindow();
  if (window) window->cancelPress();
  question.open(text, caption);
  if (window) window->invalidateWhole();
  while (question.isOpen() && pumpMessage(NoDeadline) != PumpResult::Quit) {
  }
  question.answer(false);  // still open only when the loop is quitting
  if (window) window->invalidateWhole();
  return question.result();
}

void appendJsonString(std::string& json, std::u16string_view text) {
  static constexpr char Hex[] = "0123456789abcdef";
  json += '"';
  for (char c : utf8FromUtf16(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      json += "\\u00";
      json += Hex[byte >> 4];
      json += Hex[byte & 0xF];
    } else {
      json += c;
    }
  }
  json += '"';
}

void appendPlatformDebugState(std::string& json) {
  CMzWnd* window = frontWindow();
  json += ",\"visible\":[";
  if (window) window->appendVisibleControlIds(json);
  json += "],\"timers\":[";
  const TimerQueue& timers = timerQueue();
  for (size_t i = 0; i < timers.size(); ++i) {
    if (i > 0) json += ',';
    json += '[' + std::to_string(timers[i].id) + ',' + std::to_string(timers[i].periodMs) + ']';
  }
  json += ']';
  appendFocusDebugState(json);
  json += ",\"focusPaused\":";
  json += focusPaused() ? "true" : "false";
  json += ",\"playing\":";
  json += playReported ? "true" : "false";
  json += ",\"question\":";
  const QuestionBox& question = questionBox();
  if (question.isOpen()) {
    json += "{\"text\":";
    appendJsonString(json, question.text());
    json += ",\"caption\":";
    appendJsonString(json, question.caption());
    json += '}';
  } else {
    json += "null";
  }
  json += ",\"language\":\"" + activeLanguage() + '"';
  if (window) window->AppendDebugState(json);
}
