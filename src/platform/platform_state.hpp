// The platform's process-wide state: the open windows, the timer queue, the
// frame and the quit message. Plain, constant-initialised storage, so windows
// destroyed at process exit can still unregister safely.
#pragma once

#include <cstdint>

#include "platform/mz_types.hpp"

class Canvas;
class CMzWnd;
class TimerQueue;

// Gives a created window its handle; 0 when too many windows are open.
WindowHandle registerWindow(CMzWnd* window);
// Forgets the window and stops its timers.
void unregisterWindow(CMzWnd* window);
CMzWnd* windowFromHandle(WindowHandle handle);
// The window shown on screen: the most recently created one still open.
CMzWnd* frontWindow();

// The timer queue in use: the program's, or one a test runs on a clock of its own.
TimerQueue& timerQueue();
// Puts `queue` in use (nullptr: the program's again); returns the one it replaces.
TimerQueue* useTimerQueue(TimerQueue* queue);
// The composed frame.
Canvas& frame();

bool quitPosted();
int32_t quitCode();
// The outermost message loop takes the quit message when it ends.
void clearQuit();
