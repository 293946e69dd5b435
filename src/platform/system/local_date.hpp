// Today's date on the player's local calendar, for the daily challenge. The
// environment variable QUANDREL_TODAY=YYYY-MM-DD stands in for the clock
// (tests, trying a past day); the page sets it from ?today=.
#pragma once

#include <cstdint>

struct LocalDate {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
};

LocalDate todayLocalDate();
