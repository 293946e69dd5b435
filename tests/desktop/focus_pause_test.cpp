// The pause while the window is away: the timer queue standing still, the
// loop keeping the resuming input from the window, the veil, and the switch
// that turns it all off.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/focus_pause.hpp"
#include "platform/headless/headless_host.hpp"
#include "platform/image.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"
#include "platform/timer_queue.hpp"

namespace {

constexpr WindowHandle Window = 1;

TEST(TimerQueuePause, NothingIsDueWhilePausedAndDueTimesMoveOnByThePause) {
  TimerQueue timers;
  timers.start(Window, 110, 50, 0);
  timers.start(Window, 111, 250, 0);
  timers.pause(30);
  EXPECT_TRUE(timers.paused());
  EXPECT_EQ(timers.nextDueMs(), UINT64_MAX);
  TimerQueue::Timer due;
  EXPECT_FALSE(timers.popDue(10'000, due));

  timers.resume(1030);  // paused for a second
  EXPECT_FALSE(timers.paused());
  EXPECT_EQ(timers.nextDueMs(), 1050u);
  ASSERT_TRUE(timers.popDue(1050, due));
  EXPECT_EQ(due.id, 110u);
  EXPECT_FALSE(timers.popDue(1099, due));
  ASSERT_TRUE(timers.popDue(1250, due));
  EXPECT_EQ(due.id, 110u) << "the shot timer's second tick comes first";
  ASSERT_TRUE(timers.popDue(1250, due));
  EXPECT_EQ(due.id, 111u) << "the time bar lost nothing to the pause";
}

TEST(TimerQueuePause, ATimerStartedWhilePausedCountsFromThePause) {
  TimerQueue timers;
  timers.pause(100);
  timers.start(Window, 115, 3000, 900);
  timers.resume(600);
  EXPECT_EQ(timers.nextDueMs(), 3600u);
}

TEST(TimerQueuePause, PausingOrResumingTwiceChangesNothing) {
  TimerQueue timers;
  timers.start(Window, 110, 50, 0);
  timers.pause(10);
  timers.pause(500);  // the pause began at 10
  timers.resume(1010);
  timers.resume(5000);
  EXPECT_EQ(timers.nextDueMs(), 1050u);
  timers.pause(1020);
  timers.clear();
  EXPECT_FALSE(timers.paused());
}

// A window that records what reaches it, with the virtual time of each tick.
class WatchingWindow : public CMzWndEx {
 public:
  void OnLButtonDown(uint32_t, int32_t x, int32_t y) override { record("down", x, y); }
  void OnLButtonUp(uint32_t, int32_t x, int32_t y) override { record("up", x, y); }
  void OnMouseMove(uint32_t, int32_t x, int32_t y) override { record("move", x, y); }
  void OnKeyDown(MzKey key, uint32_t) override { record("key", static_cast<int32_t>(key), 0); }
  void handleCommand(uint32_t wParam, int32_t lParam) override { record("command", static_cast<int32_t>(wParam), lParam); }
  void OnTimer(uint32_t id) override {
    ticks.push_back(currentHost()->nowMs());
    record("timer", static_cast<int32_t>(id), 0);
  }

  std::vector<std::string> events;
  std::vector<uint64_t> ticks;
  // The frame's top-left pixel as 0xRRGGBB when each press arrived.
  std::vector<uint32_t> colourAtPress;

 private:
  void record(const char* what, int32_t a, int32_t b) {
    if (std::string(what) == "down") colourAtPress.push_back(currentFrame().pixel(5, 5) & 0xFFFFFF);
    events.push_back(std::string(what) + ' ' + std::to_string(a) + ' ' + std::to_string(b));
  }
};

// Runs a script on a headless host against a shown window with a 100 ms timer.
class FocusPause : public ::testing::Test {
 protected:
  void TearDown() override {
    setCurrentHost(nullptr);
    // A test that ends paused leaves the next one running.
    setFocusPauseEnabled(false);
    setFocusPauseEnabled(true);
  }

  void start(const std::string& script) {
    in_.str(script);
    setCurrentHost(&host_);
    window.Create(0, 0, 480, 720);
    window.Show();
    SetTimer(window.m_hWnd, 110, 100);
  }
  // Carries out the script until the virtual clock reaches `ms`.
  void runUntil(uint64_t ms) {
    while (pumpMessage(ms) == PumpResult::Progress) {
    }
  }
  // Carries out the script to its end; returns what it printed.
  std::string run(const std::string& script) {
    start(script);
    return finish();
  }
  std::string finish() {
    runMessageLoop();
    EXPECT_EQ(err_.str(), "");
    return out_.str();
  }

  WatchingWindow window;

 private:
  std::istringstream in_;
  std::ostringstream out_;
  std::ostringstream err_;
  HeadlessHost host_{in_, out_, err_};
};

TEST_F(FocusPause, TimeStandsStillWhileAwayAndGoesOnWhereItStopped) {
  const std::string out = run("wait 250\nfocus out\nwait 60000\ndump\ntap 10 10\ndump\nwait 120\n");
  EXPECT_EQ(window.ticks, (std::vector<uint64_t>{100, 200, 60300}))
      << "the tick due at 300 comes a minute later, when the minute away is over";
  EXPECT_NE(out.find("\"focusPaused\":true"), std::string::npos) << out;
  EXPECT_NE(out.find("\"t\":60250,\"sounds\":[],\"looping\":null,\"haptics\":[],\"announcements\":[],\"visible\":[],\"timers\":[[110,100]],"
                     "\"focus\":null,\"focusPaused\":false"),
            std::string::npos)
      << out;
}

TEST_F(FocusPause, ThePressOrKeyThatResumesIsNotPassedOn) {
  run("focus out\ntap 10 10\ntap 20 20\nfocus out\nkey Space\nkey Left\nfocus out\ncommand 300\ncommand 301\n");
  EXPECT_EQ(window.events, (std::vector<std::string>{"down 20 20", "up 20 20", "key 1 0", "command 301 0"}));
}

TEST_F(FocusPause, RegainingTheFocusLeavesTheVeilUntilThePlayerActs) {
  const std::string out = run("wait 50\nfocus out\nfocus in\nwait 1000\ndump\n");
  EXPECT_TRUE(window.ticks.empty());
  EXPECT_NE(out.find("\"focusPaused\":true"), std::string::npos) << out;
}

TEST_F(FocusPause, APressHeldWhenTheFocusWentEndsWithoutARelease) {
  run("down 10 10\nfocus out\ntap 50 50\nmove 20 20\nup 20 20\ntap 30 30\n");
  EXPECT_EQ(window.events, (std::vector<std::string>{"down 10 10", "down 30 30", "up 30 30"}));
}

TEST_F(FocusPause, AVeilWithTextCoversTheFrameWhilePaused) {
  window.EnableFillBgColor(true);  // a white window
  start("tap 1 1\nfocus out\nwait 100\ntap 2 2\ntap 3 3\n");
  runUntil(50);
  ASSERT_TRUE(focusPaused());
  const Canvas& frame = currentFrame();
  const uint32_t veiled = frame.pixel(5, 5) & 0xFF;
  EXPECT_GT(veiled, 40u);
  EXPECT_LT(veiled, 120u) << "white under the veil turns dark grey";
  int lettering = 0;
  for (int32_t y = 300; y < 410; ++y) {
    for (int32_t x = 0; x < Canvas::Width; ++x) lettering += (frame.pixel(x, y) & 0xFF) > 160 ? 1 : 0;
  }
  EXPECT_GT(lettering, 500) << "the words stand out light on the veil";
  finish();
  ASSERT_EQ(window.colourAtPress.size(), 2u);
  EXPECT_EQ(window.colourAtPress[0], 0xFFFFFFu);
  EXPECT_EQ(window.colourAtPress[1], 0xFFFFFFu) << "the veil is gone once play resumes";
}

TEST_F(FocusPause, ClosingTheWindowWhilePausedEndsTheLoop) {
  run("focus out\nquit\ntap 1 1\n");
  EXPECT_TRUE(window.events.empty());
}

TEST_F(FocusPause, TurnedOffTheGamesTimeRunsOnAndEveryPressArrives) {
  setFocusPauseEnabled(false);
  const std::string out = run("focus out\nwait 350\ntap 10 10\ndump\n");
  EXPECT_EQ(window.ticks, (std::vector<uint64_t>{100, 200, 300}));
  EXPECT_EQ(window.events.back(), "up 10 10");
  EXPECT_NE(out.find("\"focusPaused\":false"), std::string::npos) << out;
}

TEST_F(FocusPause, TurningItOffWhilePausedResumes) {
  start("focus out\nwait 1000\n");
  runUntil(10);
  EXPECT_TRUE(focusPaused());
  EXPECT_TRUE(timerQueue().paused());
  setFocusPauseEnabled(false);
  EXPECT_FALSE(focusPaused());
  EXPECT_FALSE(timerQueue().paused());
  finish();
  ASSERT_FALSE(window.ticks.empty());
  EXPECT_EQ(window.ticks.front(), 110u) << "the 10 ms paused are not made up";
  EXPECT_EQ(window.ticks.size(), 9u);
}

}  // namespace
