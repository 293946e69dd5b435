// The text a player shares after the day's official attempt: plain words that
// a screen reader reads aloud, filled into the shown language's sentence.
#pragma once

#include <string>
#include <string_view>

#include "runs/daily_history.hpp"

namespace runs {

// Fills `sentence` (UTF-8, the catalogue's translation) whose fields are
// {day}, {level}, {score}, {stars}, {shots}, {time} (m:ss) and {link}.
std::string fillShareSentence(std::string_view sentence, const RunResult& result, std::string_view link);
// m:ss of a game time, e.g. 108000 ms -> "1:48".
std::string minutesAndSeconds(uint32_t ms);

}  // namespace runs
