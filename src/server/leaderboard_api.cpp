// The leaderboard's API calls: proving, keeping and ranking runs, the board.
#include "server/leaderboard_api.hpp"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <variant>

#include "play/run_proof.hpp"
#include "runs/run_token.hpp"
#include "server/day_window.hpp"
#include "server/run_post.hpp"

namespace {

using nlohmann::json;

// Texts from the request (a path in a message) may be any bytes: those that
// are not UTF-8 are written as U+FFFD rather than failing the answer.
ApiReply reply(int status, const json& body) {
  return ApiReply{status, body.dump(-1, ' ', false, json::error_handler_t::replace)};
}

json placementJson(const Placement& placement) {
  // The share of the day's runs this one ranks at or above, itself included.
  const int64_t percentile = placement.of > 0 ? 100 * (placement.of - placement.rank + 1) / placement.of : 0;
  return json{{"rank", placement.rank},   {"of", placement.of},
              {"percentile", percentile}, {"score", placement.result.score},
              {"stars", placement.result.stars}, {"timeMs", placement.result.timeMs},
              {"run", placement.run}};
}

json rowsJson(const std::vector<LeaderboardRow>& rows) {
  json list = json::array();
  for (const LeaderboardRow& row : rows)
    list.push_back(json{{"rank", row.rank},
                        {"name", {row.name[0], row.name[1]}},
                        {"score", row.result.score},
                        {"stars", row.result.stars},
                        {"timeMs", row.result.timeMs},
                        {"run", row.run}});
  return list;
}

template <typename Number>
bool parseNumber(std::string_view text, Number& value) {
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  return failure == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

ApiReply errorReply(int status, std::string_view error, std::string_view message) {
  return reply(status, json{{"error", error}, {"message", message}});
}

ApiReply LeaderboardApi::refuse(std::string_view reason, std::string_view message) {
  metrics_.countRefusal(reason);
  return errorReply(422, reason, message);
}

template <typename Call>
ApiReply LeaderboardApi::guarded(Call&& call) {
  try {
    return call();
  } catch (const StoreError& failure) {
    std::fprintf(stderr, "quandrel-server: %s\n", failure.what());
    return errorReply(503, "unavailable", "the leaderboard cannot reach its database; try again later");
  }
}

ApiReply LeaderboardApi::postRun(std::string_view body) {
  std::variant<RunPost, RequestProblem> read = readRunPost(body);
  if (const auto* problem = std::get_if<RequestProblem>(&read)) return errorReply(400, problem->error, problem->message);
  const RunPost& post = std::get<RunPost>(read);
  runs::Run run;
  if (const runs::RunRefusal refusal = runs::decodeRunToken(post.token, run); refusal != runs::RunRefusal::Accepted)
    return refuse(runs::refusalName(refusal), runs::refusalText(refusal));
  // The cheap refusals come before the replay.
  const OpenDays open = openDaysNow();
  if (run.day < open.first) return refuse("day-closed", "the run's day is over everywhere on Earth");
  if (run.day > open.last) return refuse("day-not-begun", "the run's day has not begun anywhere on Earth");
  if (run.timeMode != TimeMode::Normal)
    return refuse("not-normal-time", "only runs at the normal time bar are ranked; relaxed and off are practice");
  const auto started = std::chrono::steady_clock::now();
  const RunVerdict verdict = verifyRun(run);
  metrics_.countProof(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  if (!verdict.accepted()) return refuse(runs::refusalName(verdict.refusal), runs::refusalText(verdict.refusal));
  const NewRun kept{run.day, post.player, post.name, runs::encodeRunToken(run),
                    ProvenResult{verdict.result.score, verdict.result.stars, verdict.result.timeMs}};
  return guarded([&]() {
    const PostOutcome outcome = store_.post(kept);
    switch (outcome.kind) {
      case PostOutcome::Kind::Kept:
        topRows_.forget();
        return reply(201, placementJson(outcome.placement));
      case PostOutcome::Kind::Copied:
        return refuse("copied", "this run is already on the day's leaderboard under another player");
      case PostOutcome::Kind::SecondRun: break;
    }
    json body = placementJson(outcome.placement);
    body["error"] = "second-run";
    body["message"] = "the player's first run of the day is kept; here is its place";
    return reply(409, body);
  });
}

ApiReply LeaderboardApi::board(std::string_view dayText, const std::optional<std::string>& limitText,
                               const std::optional<std::string>& around) {
  int32_t day = 0;
  if (!parseNumber(dayText, day)) return errorReply(404, "not-found", "no such day");
  int32_t limit = DefaultBoardRows;
  if (limitText && (!parseNumber(std::string_view(*limitText), limit) || limit < 0 || limit > MaxBoardRows))
    return errorReply(400, "bad-field", "limit: a whole number from 0 to " + std::to_string(MaxBoardRows));
  if (around && !isPlayerId(*around))
    return errorReply(400, "bad-field", "around: a player's id, 32 lower-case hex digits");
  return guarded([&]() {
    const auto now = BoardCache::Clock::now();
    BoardCache::Lookup kept;
    if (!around) {
      kept = topRows_.find(day, limit, now);
      if (kept.body) return ApiReply{200, std::move(*kept.body)};
    }
    const Leaderboard board = store_.leaderboard(day, limit, around);
    ApiReply answer = reply(200, json{{"day", board.day}, {"of", board.of}, {"rows", rowsJson(board.rows)},
                                      {"around", rowsJson(board.around)}});
    if (!around) topRows_.keep(day, limit, kept.generation, answer.body, now);
    return answer;
  });
}

ApiReply LeaderboardApi::run(std::string_view idText) {
  int64_t id = 0;
  if (!parseNumber(idText, id)) return errorReply(404, "not-found", "no such run");
  return guarded([&]() {
    const std::optional<StoredRun> run = store_.run(id);
    if (!run) return errorReply(404, "not-found", "no run " + std::to_string(id) + " on the leaderboard");
    return reply(200, json{{"run", run->run},
                           {"day", run->day},
                           {"token", run->token},
                           {"name", {run->name[0], run->name[1]}},
                           {"score", run->result.score},
                           {"stars", run->result.stars},
                           {"timeMs", run->result.timeMs}});
  });
}

ApiReply LeaderboardApi::deletePlayer(std::string_view player) {
  if (!isPlayerId(player)) return errorReply(400, "bad-field", "player: 32 lower-case hex digits");
  return guarded([&]() {
    const int64_t deleted = store_.deletePlayer(std::string(player));
    if (deleted > 0) topRows_.forget();
    return reply(200, json{{"player", player}, {"deleted", deleted}});
  });
}

ApiReply LeaderboardApi::health() {
  return guarded([&]() {
    store_.run(0);
    return reply(200, json{{"status", "ok"}});
  });
}
