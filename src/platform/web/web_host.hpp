// The browser page's host: the page's clock without its hidden time, events
// queued by the page's handlers, frames put on the canvas, sounds played
// through Web Audio, pulses through navigator.vibrate, announcements and the
// screen's buttons to the page's assistive technology. The page owns the loop and pumps steps from its frames;
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
  PageClock clock_;
  PagePointer pointer_;
  std::deque<HostEvent> events_;
  // The page's lang attribute (and its voice) follow a language switch, told
  // with the new language's first frame or words.
  void followLanguage();

  bool sleeping_ = false;
  std::string shownLanguage_;  // as last told to the page
};
