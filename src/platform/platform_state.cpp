// Window registry, timer queue, frame and quit message.
#include "platform/platform_state.hpp"

#include <array>

#include "platform/canvas.hpp"
#include "platform/mz_functions.hpp"
#include "platform/timer_queue.hpp"

namespace {

constexpr size_t MaxWindows = 8;

struct WindowSlot {
  CMzWnd* window = nullptr;
  WindowHandle handle = 0;
};

constinit std::array<WindowSlot, MaxWindows> windows{};
constinit WindowHandle lastHandle = 0;
constinit TimerQueue timers{};
constinit TimerQueue* activeTimers = &timers;
constinit bool quitWasPosted = false;
constinit int32_t exitCode = 0;

}  // namespace

WindowHandle registerWindow(CMzWnd* window) {
  for (WindowSlot& slot : windows) {
    if (slot.window == nullptr) {
      slot = WindowSlot{window, ++lastHandle};
      return slot.handle;
    }
  }
  return 0;
}

void unregisterWindow(CMzWnd* window) {
  for (WindowSlot& slot : windows) {
    if (slot.window == window) {
      activeTimers->stopAll(slot.handle);
      slot = WindowSlot{};
    }
  }
}

CMzWnd* windowFromHandle(WindowHandle handle) {
  if (handle == 0) return nullptr;
  for (const WindowSlot& slot : windows) {
    if (slot.handle == handle) return slot.window;
  }
  return nullptr;
}

CMzWnd* frontWindow() {
  const WindowSlot* front = nullptr;
  for (const WindowSlot& slot : windows) {
    if (slot.window && (!front || slot.handle > front->handle)) front = &slot;
  }
  return front ? front->window : nullptr;
}

TimerQueue& timerQueue() { return *activeTimers; }

TimerQueue* useTimerQueue(TimerQueue* queue) {
  TimerQueue* previous = activeTimers == &timers ? nullptr : activeTimers;
  activeTimers = queue != nullptr ? queue : &timers;
  return previous;
}

Canvas& frame() {
  static Canvas canvas;
  return canvas;
}

bool quitPosted() { return quitWasPosted; }
int32_t quitCode() { return exitCode; }

void clearQuit() {
  quitWasPosted = false;
  exitCode = 0;
}

void PostQuitMessage(int32_t code) {
  if (quitWasPosted) return;  // the first quit decides the exit code
  quitWasPosted = true;
  exitCode = code;
}
