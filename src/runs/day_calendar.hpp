// The daily challenge's calendar: day numbers from 2026-12-01 (day 1), the
// level of each day and the seed of its colours. Pure arithmetic on dates.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace runs {

struct CalendarDate {
  int32_t year = 0;
  int32_t month = 0;  // 1..12
  int32_t day = 0;    // 1..31
  bool operator==(const CalendarDate&) const = default;
};

// "YYYY-MM-DD" of a real date, or nothing.
std::optional<CalendarDate> parseCalendarDate(std::string_view text);
// 2026-12-01 is day 1, the day before day 0; earlier dates go below 0.
int32_t dayNumber(const CalendarDate& date);
// There is a challenge from day 1 on.
inline bool hasChallenge(int32_t day) { return day >= 1; }
// The level of day `day` (from 1): 1 + (3 * (day - 1)) mod 10. Consecutive
// days are always 3 levels apart (mod 10), so no level comes two days
// running, and every ten days bring each level once.
int32_t levelOfDay(int32_t day);
// The seed of the colour generator at the start of an attempt on `day`.
uint32_t daySeed(int32_t day);

}  // namespace runs
