// The leaderboard in PostgreSQL, shared by any number of server processes:
// the unique keys hold the one-run rules across all of them. Each request
// borrows a connection from a small pool and runs in a transaction of its
// own, retried when PostgreSQL reports a deadlock or a serialization failure.
#pragma once

#include <string>

#include "server/connection_pool.hpp"
#include "server/postgres_connection.hpp"
#include "server/sql_run_store.hpp"

class PostgresStore : public SqlRunStore {
 public:
  explicit PostgresStore(const std::string& address);

 private:
  void write(Work work) override;
  void read(Work work) override;
  // Runs `work` in a transaction (`begin` says which kind) and commits it.
  void transaction(const char* begin, const Work& work);

  ConnectionPool<PostgresConnection> connections_;
};
