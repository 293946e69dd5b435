// The message loop: stepping with deadlines, posted tasks from other
// threads, and the start-up fade.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <thread>

#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

TEST(MessageLoop, StepsUntilTheDeadlineThenReportsIdle) {
  ScriptedHost script("wait 1000\n");
  RecordingWindow window;
  window.open();
  SetTimer(window.m_hWnd, 110, 50);
  while (pumpMessage(200) == PumpResult::Progress) {
  }
  EXPECT_EQ(script.host().nowMs(), 200u);
  EXPECT_EQ(window.events.size(), 4u);  // the ticks at 50, 100, 150 and 200
  EXPECT_EQ(pumpMessage(200), PumpResult::Idle);
  EXPECT_EQ(window.events.size(), 4u);
  while (pumpMessage(250) == PumpResult::Progress) {
  }
  EXPECT_EQ(window.events.size(), 5u);
  EXPECT_EQ(window.events.back(), "timer 110");
  KillTimer(window.m_hWnd, 110);
}

TEST(MessageLoop, TasksPostedFromAnotherThreadRunOnTheLoopsThread) {
  ScriptedHost script("wait 10\n");
  RecordingWindow window;
  window.open();
  std::thread::id ranOn;
  std::thread poster([&] { postToGuiThread([&] { ranOn = std::this_thread::get_id(); }); });
  poster.join();
  EXPECT_EQ(ranOn, std::thread::id());
  runMessageLoop();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(MessageLoop, TheStartUpAnimationFadesTheWindowInFromBlack) {
  ScriptedHost script("command 1\nwait 200\ncommand 2\nwait 400\ncommand 3\n");
  struct FadingWindow : RecordingWindow {
    void handleCommand(uint32_t, int32_t) override { seen.push_back(frameColour(240, 360) & 0xFF); }
    std::vector<uint32_t> seen;
  } window;
  window.Create(0, 0, 480, 720);
  window.AnimateWindow(13, true);  // white background, fading in
  runMessageLoop();
  ASSERT_EQ(window.seen.size(), 3u);
  EXPECT_EQ(window.seen[0], 0u);
  EXPECT_GT(window.seen[1], 60u);
  EXPECT_LT(window.seen[1], 200u);
  EXPECT_EQ(window.seen[2], 255u);
  EXPECT_TRUE(window.IsWindowVisible());
}

TEST(MessageLoop, SaysWhenItNextHasSomethingToDoOnTheHostsClock) {
  ScriptedHost script("wait 1000\n");
  RecordingWindow window;
  window.open();
  EXPECT_EQ(nextWakeMs(), UINT64_MAX);  // nothing due: asleep until input
  SetTimer(window.m_hWnd, 110, 50);
  while (pumpMessage(120) == PumpResult::Progress) {
  }
  EXPECT_EQ(nextWakeMs(), 150u);
  KillTimer(window.m_hWnd, 110);
  EXPECT_EQ(nextWakeMs(), UINT64_MAX);
}

TEST(MessageLoop, SleepsThroughIdleTimersWhoseTicksStillFireInTurn) {
  ScriptedHost script("wait 1000\n");
  struct IdlingWindow : RecordingWindow {
    bool timerIdle(uint32_t id) const override { return id == 110; }
  } window;
  window.open();
  SetTimer(window.m_hWnd, 110, 50);
  SetTimer(window.m_hWnd, 111, 250);
  EXPECT_EQ(nextWakeMs(), 250u);  // not 50: the idle timer's ticks change nothing
  while (pumpMessage(260) == PumpResult::Progress) {
  }
  std::vector<std::string> timers;
  for (const std::string& event : window.events) {
    if (event.rfind("timer", 0) == 0) timers.push_back(event);
  }
  EXPECT_EQ(timers, (std::vector<std::string>{"timer 110", "timer 110", "timer 110", "timer 110", "timer 110",
                                              "timer 111"}));
}

TEST(MessageLoop, TellsTheHostWhenPlayStartsAndStopsUnderTheVeilAndTheQuestion) {
  // Command 1 starts play, 2 stops it, 3 asks a question.
  struct PlayingWindow : RecordingWindow {
    void handleCommand(uint32_t wParam, int32_t) override {
      if (wParam == 3) askQuestion(u"?", u"");
      if (wParam < 3) playing = wParam == 1;
    }
    bool IsPlayInProgress() const override { return playing; }
    bool playing = false;
  } window;
  ScriptedHost script("dump\ncommand 1\ndump\nfocus out\ndump\nkey Escape\ndump\ncommand 3\ndump\nanswer no\n"
                      "dump\ncommand 2\ndump\n");
  window.open();
  runMessageLoop();
  std::vector<bool> playing;
  std::istringstream dumps(script.output());
  for (std::string line; std::getline(dumps, line);) playing.push_back(line.find("\"playing\":true") != std::string::npos);
  EXPECT_EQ(playing, (std::vector<bool>{false, true, false, true, false, true, false}));
}

}  // namespace
