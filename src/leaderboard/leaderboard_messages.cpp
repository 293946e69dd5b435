// Writing and reading the leaderboard's JSON with nlohmann/json, without
// exceptions: a value of the wrong type is a reply refused, never a throw.
#include "leaderboard/leaderboard_messages.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace leaderboard {
namespace {

using Json = nlohmann::json;

Json parsed(std::string_view body) { return Json::parse(body.begin(), body.end(), nullptr, false); }

template <typename Number>
bool readInteger(const Json& object, const char* key, Number minimum, Number maximum, Number& value) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_number_integer()) return false;
  if (found->is_number_unsigned()) {
    const auto number = found->get<uint64_t>();
    if (number > static_cast<uint64_t>(maximum)) return false;
    value = static_cast<Number>(number);
    return value >= minimum;
  }
  const auto number = found->get<int64_t>();
  if (number < static_cast<int64_t>(minimum) || number > static_cast<int64_t>(maximum)) return false;
  value = static_cast<Number>(number);
  return true;
}

bool readScore(const Json& object, int32_t& score) {
  return readInteger(object, "score", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                     score);
}

bool isIdCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_';
}

// Plain letters, digits, '-' and '_': safe in a path and in the daily file.
bool isPlainWord(std::string_view text) {
  return !text.empty() && text.size() <= 64 && std::all_of(text.begin(), text.end(), isIdCharacter);
}

// A run's id is a plain word or a whole number; either way it travels as text.
bool readRunId(const Json& object, std::string& run) {
  const auto found = object.find("run");
  if (found == object.end()) return false;
  if (found->is_string()) {
    run = found->get<std::string>();
  } else if (found->is_number_integer()) {
    run = found->dump();
  } else {
    return false;
  }
  return isPlainWord(run);
}

bool readName(const Json& object, runs::PlayerName& name) {
  const auto found = object.find("name");
  if (found == object.end() || !found->is_array() || found->size() != 2) return false;
  const Json& words = *found;
  for (const Json& word : words) {
    if (!word.is_number_integer() || word.get<int64_t>() < 0 || word.get<int64_t>() > 0xFFFF) return false;
  }
  name.colour = static_cast<int32_t>(words[0].get<int64_t>());
  name.creature = static_cast<int32_t>(words[1].get<int64_t>());
  return true;
}

constexpr int32_t MostRuns = std::numeric_limits<int32_t>::max();

bool readRow(const Json& value, BoardRow& row) {
  return value.is_object() && readInteger(value, "rank", 1, MostRuns, row.rank) && readName(value, row.name) &&
         readScore(value, row.score) && readInteger(value, "stars", 0, 3, row.stars) &&
         readInteger(value, "timeMs", uint32_t{0}, std::numeric_limits<uint32_t>::max(), row.timeMs) &&
         readRunId(value, row.run);
}

bool readRows(const Json& object, const char* key, std::vector<BoardRow>& rows) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_array()) return false;
  for (const Json& value : *found) {
    BoardRow row;
    if (!readRow(value, row)) return false;
    rows.push_back(row);
  }
  return true;
}

bool readStandingFields(const Json& object, Standing& standing) {
  if (!object.is_object()) return false;
  const auto percentile = object.find("percentile");
  if (percentile == object.end() || !percentile->is_number()) return false;
  const double share = percentile->get<double>();
  if (!(share >= 0 && share <= 100)) return false;
  standing.percentile = static_cast<int32_t>(std::lround(share));
  return readInteger(object, "rank", 1, MostRuns, standing.rank) &&
         readInteger(object, "of", standing.rank, MostRuns, standing.of) && readScore(object, standing.score) &&
         readInteger(object, "stars", 0, 3, standing.stars) &&
         readInteger(object, "timeMs", uint32_t{0}, std::numeric_limits<uint32_t>::max(), standing.timeMs) &&
         readRunId(object, standing.run);
}

}  // namespace

std::string boardPath(int32_t day, int32_t limit, std::string_view player) {
  std::string path = "/v1/days/" + std::to_string(day) + "/board?limit=" + std::to_string(limit);
  if (runs::isPlayerId(player)) path += "&around=" + std::string(player);
  return path;
}

std::string runPath(std::string_view run) { return isPlainWord(run) ? "/v1/runs/" + std::string(run) : std::string(); }

std::string postBody(std::string_view token, std::string_view player, const runs::PlayerName& name) {
  const Json body = {{"token", token}, {"player", player}, {"name", {name.colour, name.creature}}};
  return body.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<Standing> readStanding(std::string_view body) {
  const Json reply = parsed(body);
  if (!reply.is_object()) return std::nullopt;
  Standing standing;
  if (readStandingFields(reply, standing)) return standing;
  // A 409 may carry the result kept before inside the error.
  for (const char* key : {"kept", "result"}) {
    const auto found = reply.find(key);
    if (found != reply.end() && readStandingFields(*found, standing)) return standing;
  }
  return std::nullopt;
}

std::optional<Board> readBoard(std::string_view body) {
  const Json reply = parsed(body);
  Board board;
  if (!reply.is_object() || !readInteger(reply, "day", std::numeric_limits<int32_t>::min(), MostRuns, board.day) ||
      !readInteger(reply, "of", 0, MostRuns, board.of) || !readRows(reply, "rows", board.rows))
    return std::nullopt;
  // A board asked for without a player has nobody to stand around.
  if (reply.contains("around") && !readRows(reply, "around", board.around)) return std::nullopt;
  return board;
}

std::optional<std::string> readRunToken(std::string_view body) {
  const Json reply = parsed(body);
  if (!reply.is_object()) return std::nullopt;
  const auto token = reply.find("token");
  if (token == reply.end() || !token->is_string() || token->get<std::string>().empty()) return std::nullopt;
  return token->get<std::string>();
}

std::string readErrorWord(std::string_view body) {
  const Json reply = parsed(body);
  if (!reply.is_object()) return {};
  const auto error = reply.find("error");
  if (error == reply.end() || !error->is_string() || !isPlainWord(error->get<std::string>())) return {};
  return error->get<std::string>();
}

PostOutcome postOutcome(int32_t status) {
  if (status == 201 || status == 200 || status == 409) return PostOutcome::Taken;
  // A run the server read and refused, or a body it could not take: the same
  // post would be refused again.
  if (status == 400 || status == 413 || status == 422) return PostOutcome::Refused;
  // No answer, a fault of the server or a proxy, too many requests for now, or
  // an address that answers something else: the post waits.
  return PostOutcome::Retry;
}

}  // namespace leaderboard
