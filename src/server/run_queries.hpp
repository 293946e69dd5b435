// The leaderboard's queries, one text for both databases ($1, $2...
// parameters), and the steps built on them. A caller holds the transaction:
// the steps only read and write through a session.
//
// Ranks are counted, not stored: a run's rank is one more than the runs of its
// day that score more (summed from the day's count per score, a few hundred
// rows at most) plus those at its score that were faster or, as fast, accepted
// earlier (a short range of the rank index). So a rank costs the same with a
// hundred runs on a day as with a million.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/run_store.hpp"

enum class Statement {
  DropHiddenRunOfPlayer,
  InsertRun,
  CountIn,
  CountOut,
  PlayerRunOnDay,
  TokenOnDay,
  RunsOnDay,
  RunsScoringMore,
  RunsAheadAtScore,
  TopRows,
  AboveAtScore,
  AboveScoringMore,
  BelowAtScore,
  BelowScoringLess,
  RunById,
  RunsAfter,
  DeletePlayerRuns,
  ReviseRun,
};
inline constexpr size_t StatementCount = static_cast<size_t>(Statement::ReviseRun) + 1;

std::string_view statementText(Statement statement);

// The rows shown next to a player's own, above and below.
inline constexpr int32_t AroundRows = 2;

class SqlSession;

// Keeps `run`, or finds why it cannot be kept. The placement is left to
// placementOf once the transaction is committed.
struct PostStep {
  PostOutcome::Kind kind = PostOutcome::Kind::Kept;
  int64_t run = 0;  // the kept run: the new one, or the player's earlier one
};
PostStep insertRun(SqlSession& db, const NewRun& run);
Placement placementOf(SqlSession& db, int64_t run);
Leaderboard readLeaderboard(SqlSession& db, int32_t day, int32_t limit, const std::optional<std::string>& player);
std::optional<StoredRun> readRun(SqlSession& db, int64_t id);
int64_t deletePlayerRuns(SqlSession& db, const std::string& player);
std::vector<StoredRun> readRunsAfter(SqlSession& db, int64_t after, int32_t count);
void reviseRun(SqlSession& db, int64_t id, const std::optional<ProvenResult>& proven);

// The key of a token in the day's unique index (64-bit FNV-1a): short where the
// token is up to a few kilobytes. Two different runs of one day sharing it is
// a chance of one in 10^7 at a million runs.
int64_t tokenKey(std::string_view token);
