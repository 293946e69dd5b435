// The leaderboard's API, apart from HTTP: each call takes the request's
// parts and gives the status and JSON body to answer with. Every run is
// proven before it is ranked; bad input gets {error, message} and writes nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/metrics.hpp"
#include "server/run_store.hpp"

struct ApiReply {
  int status = 200;
  std::string body;  // JSON
};

ApiReply errorReply(int status, std::string_view error, std::string_view message);

// The day's board shows this many rows by default, and at most MaxBoardRows.
inline constexpr int32_t DefaultBoardRows = 10;
inline constexpr int32_t MaxBoardRows = 100;

class LeaderboardApi {
 public:
  LeaderboardApi(RunStore& store, Metrics& metrics) : store_(store), metrics_(metrics) {}

  // POST /v1/runs
  ApiReply postRun(std::string_view body);
  // GET /v1/days/{day}/board?limit=N&around=PLAYER
  ApiReply board(std::string_view day, const std::optional<std::string>& limit,
                 const std::optional<std::string>& around);
  // GET /v1/runs/{id}
  ApiReply run(std::string_view id);
  // DELETE /v1/players/{player}
  ApiReply deletePlayer(std::string_view player);
  // GET /healthz: the database answers.
  ApiReply health();

 private:
  ApiReply refuse(std::string_view reason, std::string_view message);
  // Runs a call, answering 503 when the database fails it.
  template <typename Call>
  ApiReply guarded(Call&& call);

  RunStore& store_;
  Metrics& metrics_;
};
