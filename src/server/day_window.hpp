// Which days' runs the leaderboard takes: a day is open while it is today
// somewhere on Earth, from UTC-12 to UTC+14, so each day stays open for 50
// hours and two days are open at once for most of every day. The environment
// variable QUANDREL_TODAY=YYYY-MM-DD stands in for the clock, as in the game:
// then that day alone is open (tests, trying a past day).
#pragma once

#include <cstdint>

struct OpenDays {
  int32_t first = 0;
  int32_t last = 0;
  bool contains(int32_t day) const { return day >= first && day <= last; }
};

// The open days at a moment given in seconds since 1970-01-01 UTC.
OpenDays openDaysAt(int64_t unixSeconds);
// The open days now, or the day QUANDREL_TODAY names.
OpenDays openDaysNow();
