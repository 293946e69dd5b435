// The leaderboard's queries and the steps built on them.
#include "server/run_queries.hpp"

#include <array>
#include <utility>
#include <vector>

#include "server/sql_session.hpp"

namespace {

// The columns a row of the board is read from, in this order.
#define BOARD_COLUMNS "id, name_colour, name_creature, score, stars, time_ms"
#define RUN_COLUMNS "id, day, token, name_colour, name_creature, score, stars, time_ms, hidden"
#define ON_BOARD "FROM runs WHERE day = $1 AND hidden = 0 "

constexpr std::array<std::pair<Statement, std::string_view>, StatementCount> Texts{{
    {Statement::DropHiddenRunOfPlayer, "DELETE FROM runs WHERE player = $1 AND day = $2 AND hidden = 1"},
    {Statement::InsertRun,
     "INSERT INTO runs (day, player, name_colour, name_creature, token, token_key, score, stars, time_ms, hidden) "
     "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, 0) ON CONFLICT DO NOTHING RETURNING id"},
    {Statement::CountIn,
     "INSERT INTO day_scores (day, score, runs) VALUES ($1, $2, 1) "
     "ON CONFLICT (day, score) DO UPDATE SET runs = day_scores.runs + 1"},
    {Statement::CountOut, "UPDATE day_scores SET runs = runs - 1 WHERE day = $1 AND score = $2"},
    {Statement::PlayerRunOnDay, "SELECT id FROM runs WHERE player = $1 AND day = $2"},
    {Statement::TokenOnDay, "SELECT id FROM runs WHERE day = $1 AND token_key = $2"},
    {Statement::RunsOnDay, "SELECT coalesce(sum(runs), 0) FROM day_scores WHERE day = $1"},
    {Statement::RunsScoringMore, "SELECT coalesce(sum(runs), 0) FROM day_scores WHERE day = $1 AND score > $2"},
    {Statement::RunsAheadAtScore, "SELECT count(*) " ON_BOARD "AND score = $2 AND (time_ms, id) < ($3, $4)"},
    {Statement::TopRows, "SELECT " BOARD_COLUMNS " " ON_BOARD "ORDER BY score DESC, time_ms, id LIMIT $2"},
    {Statement::AboveAtScore, "SELECT " BOARD_COLUMNS " " ON_BOARD
                              "AND score = $2 AND (time_ms, id) < ($3, $4) ORDER BY time_ms DESC, id DESC LIMIT $5"},
    {Statement::AboveScoringMore,
     "SELECT " BOARD_COLUMNS " " ON_BOARD "AND score > $2 ORDER BY score, time_ms DESC, id DESC LIMIT $3"},
    {Statement::BelowAtScore,
     "SELECT " BOARD_COLUMNS " " ON_BOARD "AND score = $2 AND (time_ms, id) > ($3, $4) ORDER BY time_ms, id LIMIT $5"},
    {Statement::BelowScoringLess,
     "SELECT " BOARD_COLUMNS " " ON_BOARD "AND score < $2 ORDER BY score DESC, time_ms, id LIMIT $3"},
    {Statement::RunById, "SELECT " RUN_COLUMNS " FROM runs WHERE id = $1"},
    {Statement::RunsAfter, "SELECT " RUN_COLUMNS " FROM runs WHERE id > $1 ORDER BY id LIMIT $2"},
    {Statement::DeletePlayerRuns, "DELETE FROM runs WHERE player = $1 RETURNING day, score, hidden"},
    {Statement::ReviseRun, "UPDATE runs SET score = $2, stars = $3, time_ms = $4, hidden = $5 WHERE id = $1"},
}};
#undef BOARD_COLUMNS
#undef RUN_COLUMNS
#undef ON_BOARD

constexpr bool textsInStatementOrder() {
  for (size_t i = 0; i < Texts.size(); ++i)
    if (static_cast<size_t>(Texts[i].first) != i) return false;
  return true;
}
static_assert(textsInStatementOrder(), "one text per statement, in the enumeration's order");

LeaderboardRow boardRow(const SqlRow& row, int64_t rank) {
  return LeaderboardRow{rank,
                  {static_cast<int32_t>(row.integer(1)), static_cast<int32_t>(row.integer(2))},
                  {static_cast<int32_t>(row.integer(3)), static_cast<int32_t>(row.integer(4)),
                   static_cast<uint32_t>(row.integer(5))},
                  row.integer(0)};
}

StoredRun storedRun(const SqlRow& row) {
  return StoredRun{row.integer(0),
                   static_cast<int32_t>(row.integer(1)),
                   row.text(2),
                   {static_cast<int32_t>(row.integer(3)), static_cast<int32_t>(row.integer(4))},
                   {static_cast<int32_t>(row.integer(5)), static_cast<int32_t>(row.integer(6)),
                    static_cast<uint32_t>(row.integer(7))},
                  row.integer(8) != 0};
}

// Rank of a run of `day` with `result` and id `id`, among the runs on the board.
int64_t rankOf(SqlSession& db, int32_t day, const ProvenResult& result, int64_t id) {
  return 1 + db.integer(Statement::RunsScoringMore, {day, result.score}) +
         db.integer(Statement::RunsAheadAtScore, {day, result.score, result.timeMs, id});
}

// Up to `count` rows next to the run: first those at its score, then beyond it.
// Returned nearest first.
std::vector<LeaderboardRow> neighbours(SqlSession& db, int32_t day, const LeaderboardRow& own, bool above) {
  std::vector<LeaderboardRow> rows;
  const auto take = [&rows, &own, above](const SqlRow& row) {
    const int64_t distance = static_cast<int64_t>(rows.size()) + 1;
    rows.push_back(boardRow(row, above ? own.rank - distance : own.rank + distance));
  };
  db.run(above ? Statement::AboveAtScore : Statement::BelowAtScore,
         {day, own.result.score, own.result.timeMs, own.run, AroundRows}, take);
  const int64_t missing = AroundRows - static_cast<int64_t>(rows.size());
  if (missing > 0)
    db.run(above ? Statement::AboveScoringMore : Statement::BelowScoringLess, {day, own.result.score, missing}, take);
  return rows;
}

}  // namespace

std::string_view statementText(Statement statement) { return Texts[static_cast<size_t>(statement)].second; }

int64_t tokenKey(std::string_view token) {
  uint64_t hash = 14695981039346656037u;
  for (const char c : token) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211u;
  }
  return static_cast<int64_t>(hash);
}

PostStep insertRun(SqlSession& db, const NewRun& run) {
  // A run hidden since it was kept (it no longer proves) holds no place: the
  // player may post again.
  db.run(Statement::DropHiddenRunOfPlayer, {run.player, run.day});
  const int64_t id = db.integer(Statement::InsertRun,
                                {run.day, run.player, run.name[0], run.name[1], run.token, tokenKey(run.token),
                                 run.result.score, run.result.stars, run.result.timeMs});
  if (id != 0) {
    db.run(Statement::CountIn, {run.day, run.result.score});
    return {PostOutcome::Kind::Kept, id};
  }
  if (const int64_t kept = db.integer(Statement::PlayerRunOnDay, {run.player, run.day}); kept != 0)
    return {PostOutcome::Kind::SecondRun, kept};
  if (db.integer(Statement::TokenOnDay, {run.day, tokenKey(run.token)}) != 0) return {PostOutcome::Kind::Copied, 0};
  // The row it met was deleted before it could be read: the caller tries again.
  throw StoreConflict("a run met a conflict that was gone when read");
}

Placement placementOf(SqlSession& db, int64_t run) {
  const std::optional<StoredRun> stored = readRun(db, run);
  if (!stored) throw StoreError("run " + std::to_string(run) + " vanished after it was kept");
  return Placement{run, stored->day, rankOf(db, stored->day, stored->result, run),
                   db.integer(Statement::RunsOnDay, {stored->day}), stored->result};
}

Leaderboard readLeaderboard(SqlSession& db, int32_t day, int32_t limit, const std::optional<std::string>& player) {
  Leaderboard board;
  board.day = day;
  board.of = db.integer(Statement::RunsOnDay, {day});
  db.run(Statement::TopRows, {day, limit},
         [&board](const SqlRow& row) { board.rows.push_back(boardRow(row, static_cast<int64_t>(board.rows.size()) + 1)); });
  if (!player) return board;
  const int64_t own = db.integer(Statement::PlayerRunOnDay, {*player, day});
  const std::optional<StoredRun> stored = own != 0 ? readRun(db, own) : std::nullopt;
  if (!stored || stored->hidden) return board;
  const LeaderboardRow ownRow{rankOf(db, day, stored->result, own), stored->name, stored->result, own};
  std::vector<LeaderboardRow> above = neighbours(db, day, ownRow, true);
  board.around.assign(above.rbegin(), above.rend());
  board.around.push_back(ownRow);
  for (const LeaderboardRow& row : neighbours(db, day, ownRow, false)) board.around.push_back(row);
  return board;
}

std::optional<StoredRun> readRun(SqlSession& db, int64_t id) {
  std::optional<StoredRun> run;
  db.run(Statement::RunById, {id}, [&run](const SqlRow& row) { run = storedRun(row); });
  return run;
}

int64_t deletePlayerRuns(SqlSession& db, const std::string& player) {
  std::vector<std::pair<int32_t, int32_t>> counted;  // day and score of each run on a board
  int64_t deleted = 0;
  db.run(Statement::DeletePlayerRuns, {player}, [&counted, &deleted](const SqlRow& row) {
    ++deleted;
    if (row.integer(2) == 0) counted.emplace_back(static_cast<int32_t>(row.integer(0)), static_cast<int32_t>(row.integer(1)));
  });
  for (const auto& [day, score] : counted) db.run(Statement::CountOut, {day, score});
  return deleted;
}

std::vector<StoredRun> readRunsAfter(SqlSession& db, int64_t after, int32_t count) {
  std::vector<StoredRun> runs;
  db.run(Statement::RunsAfter, {after, count}, [&runs](const SqlRow& row) { runs.push_back(storedRun(row)); });
  return runs;
}

void reviseRun(SqlSession& db, int64_t id, const std::optional<ProvenResult>& proven) {
  const std::optional<StoredRun> stored = readRun(db, id);
  if (!stored) return;  // deleted meanwhile
  if (!stored->hidden) db.run(Statement::CountOut, {stored->day, stored->result.score});
  const ProvenResult result = proven.value_or(stored->result);
  db.run(Statement::ReviseRun, {id, result.score, result.stars, result.timeMs, proven ? 0 : 1});
  if (proven) db.run(Statement::CountIn, {stored->day, result.score});
}
