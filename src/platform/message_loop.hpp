// The message loop, one step at a time. A step fires the timers that are due,
// repaints what was invalidated, then waits for at most one host event (until
// the next timer or the caller's deadline) and delivers it. CMzApp::Run and
// the question box's nested loop repeat steps; a host that owns its own loop
// (a browser page) calls steps from its frames instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class Canvas;
class SessionRecorder;

enum class PumpResult {
  Progress,  // something happened; call again
  Idle,      // the deadline came with nothing left to do
  Quit,      // the quit message was posted
};

// One step with `deadlineMs` on the host's clock (UINT64_MAX: none).
PumpResult pumpMessage(uint64_t deadlineMs);
// Steps until the quit message; returns its exit code and takes it, so a
// later loop runs afresh.
int32_t runMessageLoop();

// The moment the loop is handling, in milliseconds from its first step: the
// due time of the timer firing, the time of the event being delivered. Timers
// and the focus pause count from it.
uint64_t loopNowMs();
// While set, loopNowMs reads `clock` instead (a test's own clock);
// nullptr gives the loop's moment back. Returns the previous one.
const uint64_t* useLoopClock(const uint64_t* clock);
// Moment 0 again, at the next step (a new host starts a new run).
void restartLoopClock();
// Moment 0 is the host's clock at 0 rather than the first step: a host whose
// clock started before the program (a page that showed the splash while the
// program loaded) keeps the program's first timers counting from there.
void startLoopClockAtHostZero();

// The host's time at which the loop next has something to do (a timer, a
// key's release, a frame of the fade, a posted task); UINT64_MAX when nothing
// is due. A host that owns its loop sleeps until then or until input.
uint64_t nextWakeMs();

// Every event delivered from now on is also written to `recorder` (nullptr:
// none). The recorder must outlive its use.
void setSessionRecorder(SessionRecorder* recorder);

// {"t":moment, then the platform's fields and the front window's}: the state
// as the headless dump shows it, for a host without a script to ask for it.
std::string loopStateJson();

// Composes the front window into the frame and hands it to the host, if
// anything was invalidated since the last time.
void paintIfDirty();
const Canvas& currentFrame();

// Runs `task` on the GUI thread at the next step; callable from any thread.
void postToGuiThread(std::function<void()> task);

// Fades the window in over the next moments (the start-up animation).
void startFadeIn();

bool questionOpen();
// Asks the modal question and returns QuestionBox::Yes or No.
int32_t askQuestion(const char16_t* text, const char16_t* caption);

// The platform's part of the one-line JSON state: ,"visible":[...],
// "timers":[[id,period],...],"focus":id|"yes"|"no"|null,"focusPaused":bool,
// "playing":bool (what the host was last told of play in progress),"question":... and then the
// front window's own fields.
void appendPlatformDebugState(std::string& json);
// A JSON string literal of UTF-16 text, escaped as JSON needs.
void appendJsonString(std::string& json, std::u16string_view text);
