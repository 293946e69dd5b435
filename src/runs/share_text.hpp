// The text a player shares after the day's official attempt: plain words that
// a screen reader reads aloud, filled into the shown language's sentence.
#pragma once

#include <string>
#include <string_view>

#include "runs/daily_history.hpp"

namespace runs {

// The counted words of the sentence, each in the shown language's form for its
// number in the result (UTF-8, {1} where the number goes: "{1} star").
struct ShareWords {
  std::string_view points;
  std::string_view stars;
  std::string_view shots;
};

// Fills `sentence` (UTF-8, the catalogue's translation) whose fields are
// {day}, {level}, {time} (m:ss) and {link}, and {score}, {stars} and {shots}
// as counted words.
std::string fillShareSentence(std::string_view sentence, const ShareWords& words, const RunResult& result,
                              std::string_view link);
// m:ss of a game time, e.g. 108000 ms -> "1:48".
std::string minutesAndSeconds(uint32_t ms);

}  // namespace runs
