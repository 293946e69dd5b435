// The leaderboard in PostgreSQL: its schema, and each request a transaction.
#include "server/postgres_store.hpp"

#include <memory>

namespace {

constexpr size_t ConnectionCount = 8;
constexpr int Attempts = 5;

constexpr const char* PostgresSchema = R"(
CREATE TABLE IF NOT EXISTS runs (
  id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  day integer NOT NULL,
  player text NOT NULL,
  name_colour integer NOT NULL,
  name_creature integer NOT NULL,
  token text NOT NULL,
  token_key bigint NOT NULL,
  score integer NOT NULL,
  stars integer NOT NULL,
  time_ms bigint NOT NULL,
  hidden integer NOT NULL DEFAULT 0,
  UNIQUE (player, day),
  UNIQUE (day, token_key));
CREATE INDEX IF NOT EXISTS runs_rank ON runs (day, hidden, score DESC, time_ms, id);
CREATE TABLE IF NOT EXISTS day_scores (
  day integer NOT NULL,
  score integer NOT NULL,
  runs integer NOT NULL,
  PRIMARY KEY (day, score));
CREATE TABLE IF NOT EXISTS day_seconds (
  day integer NOT NULL,
  score integer NOT NULL,
  second integer NOT NULL,
  runs integer NOT NULL,
  PRIMARY KEY (day, score, second));
)";

// Writes run in READ COMMITTED: a unique key met is waited on and then seen.
constexpr const char* BeginWrite = "BEGIN";
// Reads see one snapshot from their first query to their last.
constexpr const char* BeginRead = "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY";

std::unique_ptr<PostgresConnection> openConnection(const std::string& address) {
  return std::make_unique<PostgresConnection>(address);
}

}  // namespace

PostgresStore::PostgresStore(const std::string& address)
    : connections_(ConnectionCount, [&address] { return openConnection(address); }) {
  connections_.with([](PostgresConnection& db) {
    // Processes starting together create the tables one at a time.
    db.execute("BEGIN");
    db.execute("SELECT pg_advisory_xact_lock(84800001)");
    db.execute(PostgresSchema);
    db.execute("COMMIT");
  });
}

void PostgresStore::transaction(const char* begin, const Work& work) {
  connections_.with([&](PostgresConnection& db) {
    for (int attempt = 1;; ++attempt) {
      db.reconnectIfLost();
      try {
        db.execute(begin);
        work(db);
        db.execute("COMMIT");
        return;
      } catch (const StoreError& failure) {
        try {
          db.execute("ROLLBACK");
        } catch (const StoreError&) {
          // The connection is gone; the next attempt connects again.
        }
        if (attempt == Attempts || dynamic_cast<const StoreConflict*>(&failure) == nullptr) throw;
      }
    }
  });
}

void PostgresStore::write(Work work) { transaction(BeginWrite, work); }

void PostgresStore::read(Work work) { transaction(BeginRead, work); }
