// Day numbers from the civil calendar (proleptic Gregorian), the level of a
// day and the seed of its colours.
#include "runs/day_calendar.hpp"

#include <charconv>

#include "rules/level_table.hpp"

namespace runs {
namespace {

// Days since 1970-01-01 (H. Hinnant's days_from_civil).
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int32_t daysInMonth(int32_t year, int32_t month) {
  constexpr int32_t Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : Days[month - 1];
}

bool readField(std::string_view text, int32_t& value) {
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  return failure == std::errc() && end == text.data() + text.size();
}

const int64_t FirstDay = daysFromCivil(2026, 12, 1);
// Consecutive days are this many levels apart; with ten levels it must share
// no factor with 10, so that each ten days bring every level once.
constexpr int32_t LevelStride = 3;
// Knuth's multiplicative hash spreads neighbouring days over the seeds.
constexpr uint32_t SeedMultiplier = 2654435761u;

}  // namespace

std::optional<CalendarDate> parseCalendarDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  CalendarDate date;
  if (!readField(text.substr(0, 4), date.year) || !readField(text.substr(5, 2), date.month) ||
      !readField(text.substr(8, 2), date.day))
    return std::nullopt;
  if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > daysInMonth(date.year, date.month))
    return std::nullopt;
  return date;
}

int32_t dayNumber(const CalendarDate& date) {
  return static_cast<int32_t>(daysFromCivil(date.year, date.month, date.day) - FirstDay + 1);
}

int32_t levelOfDay(int32_t day) {
  const int32_t step = ((day - 1) % LevelCount + LevelCount) % LevelCount;
  return FirstLevel + step * LevelStride % LevelCount;
}

uint32_t daySeed(int32_t day) { return static_cast<uint32_t>(day) * SeedMultiplier; }

}  // namespace runs
