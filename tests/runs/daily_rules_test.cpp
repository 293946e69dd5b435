// The daily rules: the calendar's days and levels, one official attempt a
// day, and streaks over played and skipped days.
#include <gtest/gtest.h>

#include <vector>

#include "runs/day_calendar.hpp"
#include "runs/daily_history.hpp"
#include "runs/share_text.hpp"

namespace {

using runs::DailyHistory;

struct Attempt {
  int32_t day;
  TimeMode mode;
  bool finishes;  // the attempt is played to its end
  bool racing = false;
};

}  // namespace

TEST(DayCalendar, CountsDaysFromTheFirstOfDecember2026) {
  const struct {
    const char* date;
    int32_t day;
  } cases[] = {{"2026-12-01", 1}, {"2026-12-08", 8}, {"2026-11-30", 0}, {"2027-01-01", 32},
               {"2028-03-01", 457}, {"2028-02-29", 456}};
  for (const auto& test : cases) {
    const auto date = runs::parseCalendarDate(test.date);
    ASSERT_TRUE(date) << test.date;
    EXPECT_EQ(runs::dayNumber(*date), test.day) << test.date;
  }
  for (const char* bad : {"2026-02-29", "2026-13-01", "2026-12-1", "26-12-01", "2026/12/01", "", "2026-12-01x"})
    EXPECT_FALSE(runs::parseCalendarDate(bad)) << bad;
}

TEST(DayCalendar, NoLevelTwoDaysRunningAndEachLevelInTenDays) {
  for (int32_t start = 1; start < 400; start += 10) {
    std::vector<bool> seen(11, false);
    for (int32_t day = start; day < start + 10; ++day) {
      const int32_t level = runs::levelOfDay(day);
      ASSERT_GE(level, 1);
      ASSERT_LE(level, 10);
      EXPECT_NE(level, runs::levelOfDay(day + 1)) << "day " << day;
      seen[static_cast<size_t>(level)] = true;
    }
    for (int32_t level = 1; level <= 10; ++level) EXPECT_TRUE(seen[static_cast<size_t>(level)]) << start;
  }
  EXPECT_NE(runs::daySeed(8), runs::daySeed(9));
}

TEST(DailyHistory, OneOfficialAttemptADayAndStreaks) {
  const struct {
    const char* what;
    std::vector<Attempt> attempts;
    std::vector<bool> official;  // what each start was
    int32_t today;
    int32_t streak;
    int32_t best;
    int32_t underWay = 0;  // the day whose official attempt is being played
    bool interrupted = false;  // today's
  } cases[] = {
      {"nothing played", {}, {}, 5, 0, 0},
      {"today finished", {{5, TimeMode::Normal, true}}, {true}, 5, 1, 1},
      {"a second attempt is practice", {{5, TimeMode::Normal, true}, {5, TimeMode::Normal, true}}, {true, false}, 5, 1, 1},
      {"yesterday's streak lives on until today is played",
       {{3, TimeMode::Normal, true}, {4, TimeMode::Normal, true}}, {true, true}, 5, 2, 2},
      {"a skipped day breaks the streak",
       {{1, TimeMode::Normal, true}, {2, TimeMode::Normal, true}, {4, TimeMode::Normal, true}}, {true, true, true}, 4, 1, 2},
      {"two days without play end it", {{2, TimeMode::Normal, true}}, {true}, 4, 0, 1},
      {"a relaxed first attempt is practice and uses the day",
       {{4, TimeMode::Normal, true}, {5, TimeMode::Relaxed, true}, {5, TimeMode::Normal, true}}, {true, false, false}, 5, 1, 1},
      {"a race first uses the day up as practice",
       {{5, TimeMode::Normal, true, true}, {5, TimeMode::Normal, true}}, {false, false}, 5, 0, 0},
      {"an official attempt not yet over does not count",
       {{4, TimeMode::Normal, true}, {5, TimeMode::Normal, false}}, {true, true}, 5, 1, 1, 5},
      {"an official attempt cut short counts as played, without a result",
       {{3, TimeMode::Normal, false}, {4, TimeMode::Normal, true}, {5, TimeMode::Normal, false}}, {true, true, true}, 5, 3, 3, 0, true},
      {"a later practice day does not break the best",
       {{1, TimeMode::Normal, true}, {2, TimeMode::Normal, true}, {3, TimeMode::Normal, true}, {4, TimeMode::Off, true}},
       {true, true, true, false}, 4, 3, 3},
  };
  for (const auto& test : cases) {
    DailyHistory history;
    for (size_t i = 0; i < test.attempts.size(); ++i) {
      const Attempt& attempt = test.attempts[i];
      if (!attempt.racing) {
        EXPECT_EQ(history.nextAttemptIsOfficial(attempt.day, attempt.mode), test.official[i]) << test.what << " #" << i;
      }
      EXPECT_EQ(history.startAttempt(attempt.day, attempt.mode, attempt.racing), test.official[i])
          << test.what << " #" << i;
      if (attempt.finishes && test.official[i]) history.finishOfficial(attempt.day, runs::RunResult{}, "QRUN.x");
    }
    EXPECT_EQ(history.streak(test.today, test.underWay), test.streak) << test.what;
    EXPECT_EQ(history.bestStreak(test.underWay), test.best) << test.what;
    EXPECT_EQ(history.interrupted(test.today, test.underWay), test.interrupted) << test.what;
  }
}

TEST(ShareText, FillsTheSentenceInPlainWords) {
  runs::RunResult result{8, 7, 1450, 62, 108000, 3, true, 1};
  const runs::ShareWords words{"{1} points", "{1} stars", "{1} shots"};
  EXPECT_EQ(runs::fillShareSentence("Quandrel daily {day}: level {level}, {score}, {stars}, {shots} in {time}. Race my "
                                    "run: {link}",
                                    words, result, "QRUN.abc"),
            "Quandrel daily 8: level 7, 1450 points, 3 stars, 62 shots in 1:48. Race my run: QRUN.abc");
  // A counted word may put its number anywhere, or twice; {2} is no field of it.
  EXPECT_EQ(runs::fillShareSentence("{score}|{stars}|{shots}", {"{1}点", "星{1}個", "{1}{2}{1}"}, result, ""),
            "1450点|星3個|62{2}62");
  EXPECT_EQ(runs::minutesAndSeconds(5000), "0:05");
  EXPECT_EQ(runs::fillShareSentence("{unknown} {", words, result, ""), "{unknown} {");
}
