// A board as text, with the run that cleared it: "QBRD." then base64url of
// the board, the run and a CRC-32, so that a shared board proves itself.
// Links hold "#board=TOKEN". Read with the same care as a run token.
#pragma once

#include <string>
#include <string_view>

#include "runs/run.hpp"
#include "runs/run_token.hpp"

namespace runs {

inline constexpr std::string_view BoardTokenPrefix = "QBRD.";
// The layout of a board token. A reader refuses a higher one as "newer".
inline constexpr uint32_t BoardFormatVersion = 1;

// `run.board` must be set; the run's day and level are not written.
std::string encodeBoardToken(const Run& run);
// Reads a board token, or a link or text holding one. `run` (with its board)
// is set only when Accepted. Proving the run is the caller's.
RunRefusal decodeBoardToken(std::string_view text, Run& run);
// The token in a link ("...#board=TOKEN") or a text ("... QBRD.xxx ..."),
// up to the next white space or '&' or '#'; else the text itself, trimmed.
std::string_view boardTokenFromLink(std::string_view text);
// A short name of the board alone (not its run): eight hex digits that
// differ for different boards, for records and --verify.
std::string boardId(const Board& board);

}  // namespace runs
