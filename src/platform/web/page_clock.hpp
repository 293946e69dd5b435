// The game's clock in the page: the page's own clock with the time the tab
// spent hidden taken out, so a hidden tab stops the game's time.
#pragma once

#include <cstdint>

class PageClock {
 public:
  // Starts at 0 when the page's clock reads `pageMs`.
  explicit PageClock(double pageMs) : startMs_(pageMs) {}

  // Milliseconds of visible time since the start, at page time `pageMs`.
  // Never goes back, whatever the page's clock does.
  uint64_t nowMs(double pageMs);
  // The tab became hidden (true) or visible again (false) at `pageMs`.
  void setHidden(bool hidden, double pageMs);
  bool hidden() const { return hidden_; }

 private:
  double startMs_;
  double hiddenSinceMs_ = 0;
  double hiddenTotalMs_ = 0;
  bool hidden_ = false;
  uint64_t lastMs_ = 0;
};
