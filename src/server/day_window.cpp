// The days open for runs, from the clock or from QUANDREL_TODAY.
#include "server/day_window.hpp"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "runs/day_calendar.hpp"

namespace {

constexpr int64_t SecondsPerDay = 24 * 60 * 60;
constexpr int64_t WestmostOffset = -12 * 60 * 60;
constexpr int64_t EastmostOffset = 14 * 60 * 60;

int32_t dayAt(int64_t unixSeconds) {
  const int64_t daysSince1970 = unixSeconds >= 0 ? unixSeconds / SecondsPerDay : (unixSeconds + 1) / SecondsPerDay - 1;
  return runs::dayNumber(runs::CalendarDate{1970, 1, 1}) + static_cast<int32_t>(daysSince1970);
}

// The day QUANDREL_TODAY names; a text that is no date is said once and not taken.
std::optional<int32_t> dayFromEnvironment() {
  const char* text = std::getenv("QUANDREL_TODAY");
  if (text == nullptr || *text == '\0') return std::nullopt;
  if (const std::optional<runs::CalendarDate> date = runs::parseCalendarDate(text)) return runs::dayNumber(*date);
  static std::atomic<bool> warned{false};
  if (!warned.exchange(true))
    std::fprintf(stderr, "quandrel-server: QUANDREL_TODAY=%s is not a date YYYY-MM-DD; using the clock\n", text);
  return std::nullopt;
}

}  // namespace

OpenDays openDaysAt(int64_t unixSeconds) {
  return OpenDays{dayAt(unixSeconds + WestmostOffset), dayAt(unixSeconds + EastmostOffset)};
}

OpenDays openDaysNow() {
  if (const std::optional<int32_t> day = dayFromEnvironment()) return OpenDays{*day, *day};
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return openDaysAt(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}
