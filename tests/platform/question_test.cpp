// The modal question: answers by script, pointer and keys; timers keep
// running; closing the window answers no and quits.
#include <gtest/gtest.h>

#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/question_box.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

// Command 224 asks the exit question and records the answer.
class AskingWindow : public RecordingWindow {
 public:
  void handleCommand(uint32_t wParam, int32_t lParam) override {
    RecordingWindow::handleCommand(wParam, lParam);
    if (wParam == 224) {
      const int32_t answer = MzMessageBoxEx(m_hWnd, u"确定退出?", u"感谢对Ostra游戏的支持！", 4, 0);
      events.push_back("answer " + std::to_string(answer));
      if (answer == 1) PostQuitMessage(0);
    }
  }
};

struct QuestionRun {
  explicit QuestionRun(const std::string& text) : script(text) {
    window.open();
    exitCode = runMessageLoop();
  }
  ScriptedHost script;
  AskingWindow window;
  int32_t exitCode = -1;
};

using Events = std::vector<std::string>;

TEST(Question, TheScriptAnswersYesOrNo) {
  QuestionRun no("command 224\nanswer no\ncommand 5\n");
  EXPECT_EQ(no.window.events, (Events{"command 224 0", "answer 2", "command 5 0"}));
  QuestionRun yes("command 224\nanswer yes\ncommand 5\n");
  EXPECT_EQ(yes.window.events, (Events{"command 224 0", "answer 1"}));
}

TEST(Question, DumpShowsTheOpenQuestionAndWindowTimersKeepRunning) {
  ScriptedHost script("command 224\nwait 250\ndump\nanswer no\ndump\n");
  AskingWindow window;
  window.open();
  SetTimer(window.m_hWnd, 110, 50);
  runMessageLoop();
  EXPECT_EQ(window.events, (Events{"command 224 0", "timer 110", "timer 110", "timer 110", "timer 110",
                                   "timer 110", "answer 2"}));
  const std::string out = script.output();
  EXPECT_NE(out.find("\"question\":{\"text\":\"确定退出?\",\"caption\":\"感谢对Ostra游戏的支持！\"}"),
            std::string::npos);
  EXPECT_NE(out.find("\"question\":null"), std::string::npos);
  KillTimer(window.m_hWnd, 110);
}

TEST(Question, ItsButtonsAnswerWhenReleasedOverThemAndTheWindowGetsNoPointer) {
  // Yes sits at (70, 400, 150, 60), No at (260, 400, 150, 60).
  QuestionRun slid("command 224\ndown 100 420\nmove 300 420\nup 300 420\ntap 300 420\n");
  EXPECT_EQ(slid.window.events, (Events{"command 224 0", "answer 2"}));
  QuestionRun yes("command 224\ntap 10 10\ntap 100 420\n");
  EXPECT_EQ(yes.window.events, (Events{"command 224 0", "answer 1"}));
}

TEST(Question, ReturnAnswersYesAndEscapeNo) {
  QuestionRun escape("command 224\nkey Escape\nquit\n");
  EXPECT_EQ(escape.window.events, (Events{"command 224 0", "answer 2"}));
  QuestionRun enter("command 224\nkey Return\n");
  EXPECT_EQ(enter.window.events, (Events{"command 224 0", "answer 1"}));
}

TEST(Question, ClosingTheWindowWhileItIsOpenAnswersNoAndQuits) {
  QuestionRun closed("command 224\n");  // the end of the script closes the window
  EXPECT_EQ(closed.window.events, (Events{"command 224 0", "answer 2"}));
  EXPECT_EQ(closed.exitCode, 0);
  EXPECT_FALSE(questionOpen());
}

TEST(Question, ACommandWhileTheQuestionIsOpenIsAScriptError) {
  QuestionRun run("command 224\ncommand 5\n");
  EXPECT_EQ(run.script.errors(), "error: line 2: a question is open: answer it first\n");
  EXPECT_EQ(run.window.events, (Events{"command 224 0", "answer 2"}));
}

TEST(Question, WithoutAHostTheAnswerIsNo) {
  EXPECT_EQ(MzMessageBoxEx(0, u"?", u"", 4, 0), QuestionBox::No);
}

}  // namespace
