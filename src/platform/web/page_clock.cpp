// The game's clock with hidden intervals removed.
#include "platform/web/page_clock.hpp"

#include <algorithm>
#include <cmath>

uint64_t PageClock::nowMs(double pageMs) {
  const double end = hidden_ ? hiddenSinceMs_ : pageMs;
  const double visible = end - startMs_ - hiddenTotalMs_;
  if (std::isfinite(visible) && visible > 0) {
    lastMs_ = std::max(lastMs_, static_cast<uint64_t>(visible));
  }
  return lastMs_;
}

void PageClock::setHidden(bool hidden, double pageMs) {
  if (hidden == hidden_) return;
  if (hidden) {
    hiddenSinceMs_ = pageMs;
  } else if (pageMs > hiddenSinceMs_) {
    hiddenTotalMs_ += pageMs - hiddenSinceMs_;
  }
  hidden_ = hidden;
}
