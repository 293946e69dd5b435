// The leaderboard in PostgreSQL, shared by any number of server processes:
// the unique keys hold the one-run rules across all of them. Each request
// borrows a connection from a small pool and runs in a transaction of its
// own, retried when PostgreSQL reports a deadlock or a serialization failure.
#pragma once

#include <string>

#include "server/connection_pool.hpp"
#include "server/postgres_connection.hpp"
#include "server/run_store.hpp"

class PostgresStore : public RunStore {
 public:
  explicit PostgresStore(const std::string& address);

  PostOutcome post(const NewRun& run) override;
  Leaderboard leaderboard(int32_t day, int32_t limit, const std::optional<std::string>& player) override;
  std::optional<StoredRun> run(int64_t id) override;
  int64_t deletePlayer(const std::string& player) override;
  std::vector<StoredRun> runsAfter(int64_t after, int32_t count) override;
  void revise(int64_t id, const std::optional<ProvenResult>& proven) override;

 private:
  // Runs `work` in a transaction (`begin` says which kind) and commits it.
  template <typename Work>
  auto transaction(const char* begin, Work&& work);

  ConnectionPool<PostgresConnection> connections_;
};
