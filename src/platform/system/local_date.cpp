// The local date from the clock, or from QUANDREL_TODAY when it holds a date.
#include "platform/system/local_date.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool isRealDate(const LocalDate& date) {
  constexpr int32_t Days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return false;
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  return date.day <= (date.month == 2 && !leap ? 28 : Days[date.month - 1]);
}

// "YYYY-MM-DD" of a real date; anything else is not taken (and said once).
bool dateFromText(const char* text, LocalDate& date) {
  if (text == nullptr || *text == '\0') return false;
  char rest = 0;
  if (std::strlen(text) == 10 && text[4] == '-' && text[7] == '-' &&
      std::sscanf(text, "%4d-%2d-%2d%c", &date.year, &date.month, &date.day, &rest) == 3 && isRealDate(date))
    return true;
  static bool warned = false;
  if (!warned) std::fprintf(stderr, "quandrel: QUANDREL_TODAY=%s is not a date YYYY-MM-DD; using the clock\n", text);
  warned = true;
  return false;
}

}  // namespace

LocalDate todayLocalDate() {
  LocalDate date;
  if (dateFromText(std::getenv("QUANDREL_TODAY"), date)) return date;
  // std::localtime is the portable call (every host has it); only the GUI
  // thread asks for the date.
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return LocalDate{1970, 1, 1};
  return LocalDate{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}
