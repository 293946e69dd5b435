// Each request of the leaderboard as a write or a read of the shared steps.
#include "server/sql_run_store.hpp"

#include "server/run_queries.hpp"

PostOutcome SqlRunStore::post(const NewRun& run) {
  PostStep step;
  write([&](SqlSession& db) { step = insertRun(db, run); });
  PostOutcome outcome{step.kind, {}};
  if (step.kind != PostOutcome::Kind::Copied)
    read([&](SqlSession& db) { outcome.placement = placementOf(db, step.run); });
  return outcome;
}

Leaderboard SqlRunStore::leaderboard(int32_t day, int32_t limit, const std::optional<std::string>& player) {
  Leaderboard board;
  read([&](SqlSession& db) { board = readLeaderboard(db, day, limit, player); });
  return board;
}

std::optional<StoredRun> SqlRunStore::run(int64_t id) {
  std::optional<StoredRun> found;
  read([&](SqlSession& db) { found = readRun(db, id); });
  if (found && found->hidden) return std::nullopt;
  return found;
}

int64_t SqlRunStore::deletePlayer(const std::string& player) {
  int64_t deleted = 0;
  write([&](SqlSession& db) { deleted = deletePlayerRuns(db, player); });
  return deleted;
}

std::vector<StoredRun> SqlRunStore::runsAfter(int64_t after, int32_t count) {
  std::vector<StoredRun> runs;
  read([&](SqlSession& db) { runs = readRunsAfter(db, after, count); });
  return runs;
}

void SqlRunStore::revise(int64_t id, const std::optional<ProvenResult>& proven) {
  write([&](SqlSession& db) { reviseRun(db, id, proven); });
}
