// The browser page's host: the page's clock without its hidden time, events
// queued by the page's handlers, frames put on the canvas, sounds played
// through Web Audio, pulses through navigator.vibrate, announcements and the
// screen's buttons to the page's assistive technology, web requests through fetch. The page owns the loop and pumps steps from its frames;
// only a nested loop (the question box) waits here, yielding to the browser.
#pragma once

#include <deque>
#include <string>

#include "platform/host.hpp"
#include "platform/web/page_clock.hpp"
#include "platform/web/page_pointer.hpp"

class WebHost final : public Host {
 public:
  WebHost();

  uint64_t nowMs() override;
  // Returns a queued event at once. With none queued and the deadline still
  // ahead, sleeps (Asyncify) until the deadline or the page's next input, so
  // that the browser runs its handlers and frames.
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override;
  void present(const Canvas& frame, const MzRect& dirty) override;
  void playSound(const std::string& path, bool loop) override;
  void prepareSound(const std::string& path) override;
  // Fetches the language's package of pictures once, waiting (Asyncify) until
  // the page has it or gives up.
  bool prepareLanguage(const std::string& language) override;
  void pulse(HapticPulse pulse) override;
  void showWindow(bool show) override;
  void raiseWindow() override;
  void wake() override;
  void keepScreenAwake(bool awake) override;
  bool fileArriving(std::u16string_view path) override;
  void awaitFile(std::u16string_view path) override;
  ShareOutcome shareText(const std::string& text) override;
  // Waits (Asyncify) for the browser, which may ask the player first.
  std::string clipboardText() override;
  std::string runLink(const std::string& token) override;
  // Through the page's fetch; the reply comes as the page's input does.
  uint32_t sendWebRequest(const WebRequest& request) override;

  // Sleeps for a moment (Asyncify) once the program has held the page's main
  // thread for a slice's time since it last had it back.
  void yieldIfBusy() override;
  // The program has the main thread from now on (a step of the loop begins).
  void startSlice();

  // The page's live regions, and its speech while the Speech option is on.
  void announce(std::string_view text, AnnouncementPriority priority) override;
  void describeButtons(std::span<const ButtonDescription> buttons) override;
  void playCue(const std::string& path, float pan) override;

  void post(const HostEvent& event) { events_.push_back(event); }
  PagePointer& pointer() { return pointer_; }
  void setHidden(bool hidden);
  bool hidden() const { return clock_.hidden(); }
  // Whether the program sleeps now (a nested loop in waitEvent, or a wait for
  // arriving files): the page then wakes it rather than running the loop.
  bool sleeping() const { return sleeping_; }

 private:
  // Sleeps (Asyncify) for `ms` (negative: until the page wakes the program);
  // the program's slice starts anew when it wakes.
  void sleep(double ms);

  PageClock clock_;
  PagePointer pointer_;
  std::deque<HostEvent> events_;
  // The page's lang attribute (and its voice) follow a language switch, told
  // with the new language's first frame or words.
  void followLanguage();

  bool sleeping_ = false;
  double sliceStartMs_ = 0;

  std::string shownLanguage_;  // as last told to the page
  uint32_t lastWebRequest_ = 0;
};
