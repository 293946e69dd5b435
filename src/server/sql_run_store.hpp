// The RunStore of both databases: each request is the shared queries' steps
// (run_queries) in one transaction, or two for a post. A database supplies only
// how a step reaches a session: its connections and its transactions.
#pragma once

#include <functional>

#include "server/run_store.hpp"
#include "server/sql_session.hpp"

class SqlRunStore : public RunStore {
 public:
  PostOutcome post(const NewRun& run) final;
  Leaderboard leaderboard(int32_t day, int32_t limit, const std::optional<std::string>& player) final;
  std::optional<StoredRun> run(int64_t id) final;
  int64_t deletePlayer(const std::string& player) final;
  std::vector<StoredRun> runsAfter(int64_t after, int32_t count) final;
  void revise(int64_t id, const std::optional<ProvenResult>& proven) final;

 protected:
  using Work = std::function<void(SqlSession&)>;
  // Runs `work` in a transaction that writes, committed before it returns;
  // throws StoreError when it is not.
  virtual void write(Work work) = 0;
  // Runs `work` in a transaction that reads one snapshot of the database.
  virtual void read(Work work) = 0;
};
