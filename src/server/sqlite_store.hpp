// The leaderboard in one SQLite file (WAL mode). One thread writes: it takes
// every write waiting, applies them in one transaction, each in a savepoint of
// its own, and commits with a full sync before any of them is answered. So a
// kept run survives a kill of the process and a loss of power, and a busy
// moment costs one sync for many runs. Readers read at once, each on a
// connection of its own from a small pool. A thread of its own copies the log
// into the database file every second (a checkpoint), so that the writer never
// waits for it.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "server/connection_pool.hpp"
#include "server/sql_run_store.hpp"
#include "server/sqlite_connection.hpp"

class SqliteStore : public SqlRunStore {
 public:
  explicit SqliteStore(const std::string& path);
  ~SqliteStore() override;

 private:
  struct Write {
    Work work;
    std::exception_ptr failure;
    bool done = false;
    std::condition_variable committed;  // its writer waits here, woken alone
  };
  // Hands `work` to the writer and waits until it is committed (or failed).
  void write(Work work) override;
  void writeLoop();
  void commitTogether(std::deque<Write*>& writes);
  void checkpointLoop();
  // Runs `work` on a reader of its own, in one read transaction.
  void read(Work work) override;

  std::unique_ptr<SqliteConnection> writer_;
  std::unique_ptr<SqliteConnection> checkpointer_;
  ConnectionPool<SqliteConnection> readers_;
  std::mutex mutex_;
  std::condition_variable waiting_;  // the writer waits for writes
  std::condition_variable stopped_;  // the checkpoints wait for the next second
  std::deque<Write*> queue_;
  bool stopping_ = false;
  std::thread writes_;
  std::thread checkpoints_;
};
