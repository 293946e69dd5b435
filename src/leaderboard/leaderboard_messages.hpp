// The leaderboard's messages as the game writes and reads them (JSON over
// HTTP, version 1): the post of a day's run, the day's board, a listed run's
// token and the errors. The reader takes nothing on trust: a reply of another
// shape is no reply at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runs/player.hpp"

namespace leaderboard {

// How the day's run stands among the day's runs, as a post's reply gives it.
struct Standing {
  int32_t rank = 0;
  int32_t of = 0;
  int32_t percentile = 0;  // the server's, rounded to a whole number
  int32_t score = 0;
  int32_t stars = 0;
  uint32_t timeMs = 0;
  std::string run;  // the run's id on the leaderboard
  bool operator==(const Standing&) const = default;
};

struct BoardRow {
  int32_t rank = 0;
  runs::PlayerName name;  // may name words this game's lists do not have yet
  int32_t score = 0;
  int32_t stars = 0;
  uint32_t timeMs = 0;
  std::string run;
  bool operator==(const BoardRow&) const = default;
};

struct Board {
  int32_t day = 0;
  int32_t of = 0;                // runs on the day
  std::vector<BoardRow> rows;    // the top ones
  std::vector<BoardRow> around;  // around the player who asked
  bool operator==(const Board&) const = default;
};

// The paths of the requests, under the leaderboard's address.
inline constexpr std::string_view PostPath = "/v1/runs";
std::string boardPath(int32_t day, int32_t limit, std::string_view player);
// An id that is not a plain word (letters, digits, '-' and '_', at most 64)
// gives "" (no request). Run ids and error words of another shape are refused
// in replies, so that what the game keeps of them is plain.
std::string runPath(std::string_view run);

std::string postBody(std::string_view token, std::string_view player, const runs::PlayerName& name);

// A post's reply (201, and 409 with the result kept before).
std::optional<Standing> readStanding(std::string_view body);
std::optional<Board> readBoard(std::string_view body);
// The token of GET /v1/runs/{id}.
std::optional<std::string> readRunToken(std::string_view body);
// The word of an error reply ({"error": word, "message": ...}), or "" when
// there is none or it is not a plain word.
std::string readErrorWord(std::string_view body);

// What became of a post, by the reply's status.
enum class PostOutcome : uint8_t {
  Taken,    // on the board: 201, or 409 for a run of the day already there
  Refused,  // the leaderboard will never take it: 422, and 400 or 413 for a body it cannot read
  Retry,    // no answer, a server fault, too many requests or no leaderboard there: try again later
};
PostOutcome postOutcome(int32_t status);

}  // namespace leaderboard
