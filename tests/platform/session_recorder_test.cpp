// The session recorder: the lines it writes, live runs with a late loop
// replayed exactly on the headless host, and replay paced by a window's clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <sstream>

#include "platform/focus_pause.hpp"
#include "platform/headless/paced_replay_host.hpp"
#include "platform/headless/script.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/session_recorder.hpp"
#include "platform/silent_host.hpp"
#include "rules/colour_generator.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

HostEvent eventOf(HostEvent::Kind kind) {
  HostEvent event;
  event.kind = kind;
  return event;
}

HostEvent pointer(HostEvent::Kind kind, int32_t x, int32_t y) {
  HostEvent event = eventOf(kind);
  event.x = x;
  event.y = y;
  return event;
}

HostEvent key(MzKey key, uint32_t modifiers = 0) {
  HostEvent event = eventOf(HostEvent::Kind::Key);
  event.key = key;
  event.modifiers = modifiers;
  return event;
}

struct RecordedText {
  std::string text;
  SessionRecorder recorder{[this](std::string_view line) { text += line; }};
};

// Drops the heading comment.
std::string body(const std::string& text) { return text.substr(text.find('\n') + 1); }

TEST(SessionRecorder, WritesEachEventAsAScriptLineWithTheTimeBetween) {
  RecordedText out;
  EXPECT_EQ(out.text.rfind("# ", 0), 0u) << "the script starts with how to replay it";
  out.recorder.record(pointer(HostEvent::Kind::PointerDown, 120, 300), 0);
  out.recorder.record(pointer(HostEvent::Kind::PointerMove, 130, 310), 16);
  out.recorder.record(pointer(HostEvent::Kind::PointerUp, 130, 310), 16);
  out.recorder.record(key(MzKey::Return, MzKeyModAlt | MzKeyModShift), 3016);
  out.recorder.record(key(MzKey::R), 3016);
  out.recorder.record(eventOf(HostEvent::Kind::Wake), 3100);
  HostEvent command = eventOf(HostEvent::Kind::Command);
  command.id = 101;
  command.arg = 2;
  out.recorder.record(command, 3200);
  command.arg = 0;
  out.recorder.record(command, 3200);
  HostEvent answer = eventOf(HostEvent::Kind::Answer);
  answer.yes = true;
  out.recorder.record(answer, 3300);
  HostEvent pad = eventOf(HostEvent::Kind::Pad);
  pad.pad = MzPadButton::Start;
  out.recorder.record(pad, 3900);
  out.recorder.record(eventOf(HostEvent::Kind::Close), 4000);
  EXPECT_EQ(body(out.text),
            "down 120 300\nwait 16\nmove 130 310\nup 130 310\nwait 3000\nkey Alt+Shift+Return\nkey R\n"
            "wait 184\ncommand 101 2\ncommand 101\nwait 100\nanswer yes\nwait 600\npad start\nwait 100\nquit\n");
}

TEST(SessionRecorder, FocusChangesAreKeptOnlyWhileTheyPauseTheGame) {
  RecordedText out;
  out.recorder.record(eventOf(HostEvent::Kind::FocusLost), 10);
  out.recorder.record(eventOf(HostEvent::Kind::FocusGained), 20);
  setFocusPauseEnabled(false);
  out.recorder.record(eventOf(HostEvent::Kind::FocusLost), 30);
  out.recorder.record(eventOf(HostEvent::Kind::FocusGained), 40);
  setFocusPauseEnabled(true);
  out.recorder.record(key(MzKey::Space), 50);
  EXPECT_EQ(body(out.text), "wait 10\nfocus out\nwait 10\nfocus in\nwait 30\nkey Space\n");
}

TEST(SessionRecorder, EveryLineItWritesParsesBackToTheSameEvent) {
  const std::vector<HostEvent> events = {
      pointer(HostEvent::Kind::PointerDown, 0, 719), pointer(HostEvent::Kind::PointerMove, 479, 0),
      pointer(HostEvent::Kind::PointerUp, -3, 800),  key(MzKey::Left),
      key(MzKey::Z, MzKeyModCtrl),                   key(MzKey::Tab, MzKeyModShift),
      eventOf(HostEvent::Kind::Close),               eventOf(HostEvent::Kind::FocusLost)};
  for (MzPadButton button : {MzPadButton::Up, MzPadButton::Down, MzPadButton::Left, MzPadButton::Right, MzPadButton::A,
                             MzPadButton::B, MzPadButton::X, MzPadButton::Y, MzPadButton::Start,
                             MzPadButton::Back}) {
    HostEvent pad = eventOf(HostEvent::Kind::Pad);
    pad.pad = button;
    const std::string line = scriptLineOf(pad);
    ScriptCommand command;
    std::string error;
    ASSERT_EQ(parseScriptLine(line, command, error), ParseResult::Command) << line << ": " << error;
    EXPECT_EQ(command.kind, ScriptCommand::Kind::Pad) << line;
    EXPECT_EQ(command.pad, button) << line;
  }
  for (const HostEvent& event : events) {
    const std::string line = scriptLineOf(event);
    ScriptCommand command;
    std::string error;
    ASSERT_EQ(parseScriptLine(line, command, error), ParseResult::Command) << line << ": " << error;
    EXPECT_EQ(command.x, event.kind == HostEvent::Kind::Key ? 0 : event.x) << line;
    EXPECT_EQ(command.y, event.kind == HostEvent::Kind::Key ? 0 : event.y) << line;
    EXPECT_EQ(command.key, event.key) << line;
    EXPECT_EQ(command.modifiers, event.modifiers) << line;
  }
  EXPECT_EQ(scriptLineOf(eventOf(HostEvent::Kind::Wake)), "");
}

TEST(SessionRecorder, AFileThatCannotBeOpenedIsReported) {
  std::string error;
  EXPECT_EQ(SessionRecorder::toFile("/nonexistent-folder/session.txt", error), nullptr);
  EXPECT_NE(error.find("/nonexistent-folder/session.txt"), std::string::npos);
}

TEST(SessionRecorder, TheFileHasEveryLineAsSoonAsItIsWritten) {
  ScratchDirectory scratch;
  const std::string path = (scratch.path() / "session.txt").string();
  std::string error;
  auto recorder = SessionRecorder::toFile(path, error);
  ASSERT_NE(recorder, nullptr) << error;
  recorder->record(key(MzKey::B), 250);
  std::ifstream file(path);  // read while the recorder still holds the file open
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(body(text.str()), "wait 250\nkey B\n");
}

// Timers started by input and by other timers, and random draws: a run whose
// log changes if any timer fires on the other side of an event, or counts its
// period from a different moment.
class OrderSensitiveWindow : public RecordingWindow {
 public:
  void OnTimer(uint32_t id) override {
    RecordingWindow::OnTimer(id);
    events.back() += " at " + std::to_string(loopNowMs()) + " draw " + std::to_string(generator.next());
    if (id == 2) SetTimer(m_hWnd, 3, 7);  // restarted at each tick of 2
    if (id == 3) KillTimer(m_hWnd, 3);
  }
  void OnKeyDown(MzKey key, uint32_t modifiers) override {
    RecordingWindow::OnKeyDown(key, modifiers);
    events.back() += " at " + std::to_string(loopNowMs());
    SetTimer(m_hWnd, 4, 45);  // each key restarts it
  }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override {
    RecordingWindow::OnLButtonDown(flags, x, y);
    events.back() += " at " + std::to_string(loopNowMs());
  }
  ColourGenerator generator;  // one draw a tick: a tick fired more or less shows
};

// A live host whose loop always runs late: it wakes 23 ms after each
// deadline and delivers each input 5 ms after it happened, as a busy desktop
// does.
class LateHost : public SilentHost {
 public:
  explicit LateHost(std::deque<std::pair<uint64_t, HostEvent>> input) : input_(std::move(input)) {}
  uint64_t nowMs() override { return clock_; }
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override {
    if (input_.empty() || deadlineMs < input_.front().first) {
      if (input_.empty() && deadlineMs == UINT64_MAX) {
        event = eventOf(HostEvent::Kind::Close);
        return true;
      }
      clock_ = std::max(clock_, deadlineMs + 23);
      return false;
    }
    clock_ = std::max(clock_, input_.front().first + 5);
    event = input_.front().second;
    input_.pop_front();
    return true;
  }

 private:
  std::deque<std::pair<uint64_t, HostEvent>> input_;
  uint64_t clock_ = 1000;  // the loop's moment 0 is its first step, not the host's start
};

struct SessionRun {
  std::vector<std::string> events;
  std::string finalState;
};

SessionRun runOn(Host& host, SessionRecorder* recorder) {
  setCurrentHost(&host);
  setSessionRecorder(recorder);
  SessionRun run;
  {
    OrderSensitiveWindow window;
    window.open();
    SetTimer(window.m_hWnd, 1, 100);
    SetTimer(window.m_hWnd, 2, 30);
    runMessageLoop();
    run.finalState = loopStateJson();
    run.events = window.events;
  }
  setSessionRecorder(nullptr);
  setCurrentHost(nullptr);
  return run;
}

TEST(RecordAndReplay, ALateLiveLoopReplaysOnTheHeadlessHostToTheSameRun) {
  LateHost live({{1040, key(MzKey::Space)},
                 {1062, pointer(HostEvent::Kind::PointerDown, 10, 20)},
                 {1062, pointer(HostEvent::Kind::PointerUp, 10, 20)},
                 {1300, key(MzKey::R)},
                 {1301, key(MzKey::B)},
                 {1400, [] {
                    HostEvent pad = eventOf(HostEvent::Kind::Pad);
                    pad.pad = MzPadButton::X;
                    return pad;
                  }()},
                 {1544, eventOf(HostEvent::Kind::FocusLost)},
                 {2000, key(MzKey::Space)},
                 {2100, eventOf(HostEvent::Kind::Close)}});
  RecordedText recording;
  const SessionRun liveRun = runOn(live, &recording.recorder);
  // Timers fired at their own due moments, whatever the host's clock said.
  EXPECT_EQ(liveRun.events[0].rfind("timer 2 at 30 ", 0), 0u) << liveRun.events[0];
  EXPECT_EQ(liveRun.events[1].rfind("timer 3 at 37 ", 0), 0u) << liveRun.events[1];
  EXPECT_EQ(liveRun.events[2], "key 5 0 at 53") << "the key reached the loop 13 ms after it was pressed";
  // Nothing ticks while the focus is away (from 563 until the key at 1005).
  for (const std::string& event : liveRun.events) {
    const size_t at = event.find(" at ");
    if (at == std::string::npos) continue;
    const uint64_t moment = std::stoull(event.substr(at + 4));
    EXPECT_FALSE(moment > 563 && moment < 1005) << event;
  }
  EXPECT_NE(liveRun.finalState.find("{\"t\":1105,"), std::string::npos) << liveRun.finalState;

  std::istringstream script(recording.text);
  std::ostringstream out;
  std::ostringstream err;
  HeadlessHost replay(script, out, err);
  const SessionRun replayed = runOn(replay, nullptr);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(replayed.events, liveRun.events);
  EXPECT_EQ(replayed.finalState, liveRun.finalState);
}

// A window host made of a headless host: its script is the viewer's clock and
// what the viewer does during the replay.
TEST(PacedReplay, EventsComeAtTheirMomentsAndOnlyTheWindowsCloseGetsThrough) {
  std::istringstream viewer("wait 150\nkey Space\ntap 9 9\nwait 5000\nquit\n");
  std::ostringstream viewerOut;
  std::ostringstream viewerErr;
  HeadlessHost window(viewer, viewerOut, viewerErr);
  std::istringstream recording("wait 40\nkey R\nwait 200\nkey B\nwait 100000\nkey Return\n");
  std::ostringstream out;
  std::ostringstream err;
  PacedReplayHost replay(window, recording, out, err);
  RecordedText seen;
  const SessionRun run = runOn(replay, &seen.recorder);
  EXPECT_FALSE(replay.failed());
  // The close comes at the script's next stop after the window's 5150 ms
  // (a tick due at 5160), and is recorded there.
  EXPECT_EQ(body(seen.text), "wait 40\nkey R\nwait 200\nkey B\nwait 4920\nquit\n");
  EXPECT_EQ(window.nowMs(), 5150u) << "the replay kept the window's pace";
  EXPECT_EQ(std::count_if(run.events.begin(), run.events.end(),
                          [](const std::string& event) { return event.rfind("key", 0) == 0; }),
            2);
}

}  // namespace
