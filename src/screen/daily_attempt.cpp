// The daily challenge in the game window: starting an attempt (seeded from
// the day, official or practice), ending it, keeping its result, and what the
// daily screen and the share show.
#include "platform/host.hpp"
#include "platform/mz_functions.hpp"
#include "platform/language/language.hpp"
#include "platform/services/debug_output.hpp"
#include "platform/system/local_date.hpp"
#include "platform/system/utf.hpp"
#include "progress/daily_file.hpp"
#include "runs/day_calendar.hpp"
#include "runs/run_token.hpp"
#include "runs/share_text.hpp"
#include "screen/control_ids.hpp"
#include "screen/counted_words.hpp"
#include "screen/daily_play.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr char16_t ShareSentence[] =
    u"Quandrel每日挑战第{day}天：第{level}关，{score}，{stars}，{shots}，用时{time}。来挑战我的记录：{link}";

std::string counted(const char16_t* word, int32_t number) { return utf8FromUtf16(translatedPlural(word, number)); }

}  // namespace

std::string filledShareSentence(const char16_t* sentence, const runs::RunResult& result, std::string_view link) {
  const std::string points = counted(words::points, result.score);
  const std::string stars = counted(words::stars, result.stars);
  const std::string shots = counted(words::shots, result.shots);
  return runs::fillShareSentence(utf8FromUtf16(translatedText(sentence)), {points, stars, shots}, result, link);
}

std::string shareSentence(const runs::RunResult& result, std::string_view link) {
  return filledShareSentence(ShareSentence, result, link);
}

int32_t GameWindow::todayDayNumber() const {
  const LocalDate today = todayLocalDate();
  return runs::dayNumber(runs::CalendarDate{today.year, today.month, today.day});
}

DailyToday GameWindow::dailyToday() const {
  DailyToday today;
  today.day = todayDayNumber();
  if (!runs::hasChallenge(today.day)) return today;
  today.level = runs::levelOfDay(today.day);
  // Today's official attempt, while it is being played, is not over yet.
  const int32_t underWay = daily.attemptActive && daily.official ? daily.dayInPlay : 0;
  today.streak = daily.history.streak(today.day, underWay);
  today.bestStreak = daily.history.bestStreak(underWay);
  today.interrupted = daily.history.interrupted(today.day, underWay);
  today.nextIsPractice = !daily.history.nextAttemptIsOfficial(today.day, options.timeMode);
  const runs::DailyDay* day = daily.history.day(today.day);
  if (day != nullptr && day->official && day->finished) today.result = day->result;
  return today;
}

bool GameWindow::startDailyAttempt() {
  const int32_t day = todayDayNumber();
  if (!menuMayStartGame()) return false;
  return startDayAttempt(day, options.timeMode, nullptr);
}

bool GameWindow::startRunAttempt(const runs::Run& run, const runs::GhostTrack* ghost) {
  if (!menuMayStartGame()) return false;
  return startDayAttempt(run.day, run.timeMode, ghost);
}

bool GameWindow::startDayAttempt(int32_t day, TimeMode mode, const runs::GhostTrack* ghost) {
  if (!runs::hasChallenge(day)) return false;
  // The ghost may be this window's own, which leaving daily play clears.
  const runs::GhostTrack raced = ghost != nullptr ? *ghost : runs::GhostTrack{};
  leaveDailyPlay();
  // Only today's attempts count.
  const bool counts = day == todayDayNumber();
  daily.official = counts && daily.history.startAttempt(day, mode, ghost != nullptr);
  // Kept from its start: an attempt cut short by a crash still used the day.
  if (counts) saveDailyHistoryFile();
  daily.dayInPlay = day;
  daily.run = runs::Run{};
  daily.run.day = day;
  daily.run.level = runs::levelOfDay(day);
  daily.run.timeMode = mode;
  daily.racing = ghost != nullptr;
  daily.ghost = raced;
  // The day's colours for everyone: the generator seeded from the day.
  Board board;
  levelBoard(daily.run.level, board);
  beginSeededAttempt(runs::daySeed(day), mode, daily.run.level, board);
  return true;
}

// Everyone's attempt from the same seed meets the same colours: the misses
// counted from none, and nothing left falling from before.
void GameWindow::beginSeededAttempt(uint32_t seed, TimeMode mode, int32_t level, const Board& board) {
  play.startSeeded(seed);
  play.timeMode = mode;
  KillTimer(m_hWnd, TimerId::shot);
  KillTimer(m_hWnd, TimerId::timeBar);
  if (flyingShot != nullptr) flyingShot->SetVisible(false);
  flyingShot = nullptr;
  placeSprayerAtStart();
  enterGame(level);
  loadBoard(level, board, true);
  daily.startTickMs = GetTickCount();
  daily.attemptActive = true;
  showRaceDrawing();
}

uint32_t GameWindow::attemptTickMs() const { return GetTickCount() - daily.startTickMs; }

void GameWindow::endDailyAttempt() {
  if (!daily.attemptActive) return;
  daily.attemptActive = false;
  showRaceDrawing();
  if (daily.boardInPlay != BoardInPlay::None) {
    keepBoardResult();
    return;
  }
  if (!daily.official) return;
  // The result is what the moves come to when replayed, never the live fields.
  const RunVerdict verdict = verifyRun(daily.run);
  if (!verdict.accepted()) {
    const std::string line = "quandrel: the day's run does not replay (" +
                             std::string(runs::refusalName(verdict.refusal)) + "); its result is not kept";
    services::OutputDebugStringW(utf16FromUtf8(line).c_str());
    return;
  }
  daily.history.finishOfficial(daily.run.day, verdict.result, runs::encodeRunToken(daily.run));
  saveDailyHistoryFile();
}

void GameWindow::leaveDailyPlay() {
  endDailyAttempt();
  // Ordinary play runs at the options' time bar again.
  play.timeMode = options.timeMode;
  daily.dayInPlay = 0;
  daily.boardInPlay = BoardInPlay::None;
  daily.racing = false;
  daily.ghost = runs::GhostTrack{};
  showRaceDrawing();
}

void GameWindow::saveDailyHistoryFile() {
  if (daily.filePath.empty() || saveDailyHistory(daily.filePath, daily.history) || daily.saveWarned) return;
  const std::string line = "quandrel: cannot save the daily file " + daily.filePath;
  services::OutputDebugStringW(utf16FromUtf8(line).c_str());
  daily.saveWarned = true;
}

std::string GameWindow::dailyShareToken() const {
  const runs::DailyDay* day = daily.history.day(todayDayNumber());
  return day != nullptr && day->official && day->finished ? day->token : std::string();
}

std::string GameWindow::dailyShareText() const {
  const runs::DailyDay* day = daily.history.day(todayDayNumber());
  if (day == nullptr || !day->official || !day->finished) return {};
  return shareSentence(day->result, runLinkFor(day->token));
}

// The link a shared run travels in: the host's (the page's address, or the
// build's), the token alone without a host.
std::string GameWindow::runLinkFor(const std::string& token) const {
  Host* host = currentHost();
  return host != nullptr ? host->runLink(token) : token;
}
