// Feeds arbitrary bytes to the readers of the leaderboard's replies, as a
// server or anything at its address may answer, and checks what the game
// relies on of whatever they take: ranks within the day's runs, a percentage,
// stars of a claim, and run ids and error words plain enough for a path and
// the daily file.
#include <cstdint>
#include <string_view>

#include "fuzz_check.hpp"
#include "leaderboard/leaderboard_messages.hpp"

namespace {

void checkRow(const leaderboard::BoardRow& row) {
  check(row.rank >= 1, "a row's rank is from 1");
  check(row.stars >= 0 && row.stars <= 3, "a row's stars are 0 to 3");
  check(row.name.colour >= 0 && row.name.creature >= 0, "a name's words are numbers from 0");
  check(!leaderboard::runPath(row.run).empty(), "a row's run id makes a path");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  if (const auto standing = leaderboard::readStanding(body)) {
    check(standing->rank >= 1 && standing->rank <= standing->of, "a rank lies within the day's runs");
    check(standing->percentile >= 0 && standing->percentile <= 100, "a percentile is a percentage");
    check(standing->stars >= 0 && standing->stars <= 3, "stars are 0 to 3");
    check(!leaderboard::runPath(standing->run).empty(), "the run id makes a path");
  }
  if (const auto board = leaderboard::readBoard(body)) {
    check(board->of >= 0, "a day has no fewer than no runs");
    for (const auto& row : board->rows) checkRow(row);
    for (const auto& row : board->around) checkRow(row);
  }
  if (const auto token = leaderboard::readRunToken(body)) check(!token->empty(), "a token is never empty");
  const std::string word = leaderboard::readErrorWord(body);
  check(word.empty() || !leaderboard::runPath(word).empty(), "an error word is plain");
  return 0;
}
