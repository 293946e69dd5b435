// The leaderboard in an SQLite file: its schema, the writer thread and the readers.
#include "server/sqlite_store.hpp"

#include <chrono>
#include <cstdio>
#include <utility>

namespace {

constexpr size_t ReaderCount = 8;
// Writes committed together at most: a bound on how long the first one waits.
constexpr size_t MostWritesPerCommit = 512;
constexpr std::chrono::seconds CheckpointEvery{1};

constexpr const char* SqliteSchema = R"(
CREATE TABLE IF NOT EXISTS runs (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  day INTEGER NOT NULL,
  player TEXT NOT NULL,
  name_colour INTEGER NOT NULL,
  name_creature INTEGER NOT NULL,
  token TEXT NOT NULL,
  token_key INTEGER NOT NULL,
  score INTEGER NOT NULL,
  stars INTEGER NOT NULL,
  time_ms INTEGER NOT NULL,
  hidden INTEGER NOT NULL DEFAULT 0,
  UNIQUE (player, day),
  UNIQUE (day, token_key));
CREATE INDEX IF NOT EXISTS runs_rank ON runs (day, hidden, score DESC, time_ms, id);
CREATE TABLE IF NOT EXISTS day_scores (
  day INTEGER NOT NULL,
  score INTEGER NOT NULL,
  runs INTEGER NOT NULL,
  PRIMARY KEY (day, score)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS day_seconds (
  day INTEGER NOT NULL,
  score INTEGER NOT NULL,
  second INTEGER NOT NULL,
  runs INTEGER NOT NULL,
  PRIMARY KEY (day, score, second)) WITHOUT ROWID;
)";

std::unique_ptr<SqliteConnection> openWriter(const std::string& path) {
  auto connection = std::make_unique<SqliteConnection>(path, true);
  // WAL lets readers read while the writer writes. synchronous=FULL syncs the
  // log at every commit: with NORMAL a commit survives a killed process but
  // not a power cut or a crash of the system, and an answered run must. The
  // checkpoints are left to a thread of their own.
  connection->execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA wal_autocheckpoint=0;");
  connection->execute(SqliteSchema);
  return connection;
}

std::unique_ptr<SqliteConnection> openReader(const std::string& path) {
  auto connection = std::make_unique<SqliteConnection>(path, false);
  connection->execute("PRAGMA query_only=1;");
  return connection;
}

}  // namespace

SqliteStore::SqliteStore(const std::string& path)
    : writer_(openWriter(path)),
      checkpointer_(std::make_unique<SqliteConnection>(path, false)),
      readers_(ReaderCount, [&path] { return openReader(path); }),
      writes_([this] { writeLoop(); }),
      checkpoints_([this] { checkpointLoop(); }) {}

SqliteStore::~SqliteStore() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  waiting_.notify_one();
  stopped_.notify_one();
  writes_.join();
  checkpoints_.join();
}

void SqliteStore::checkpointLoop() {
  std::unique_lock lock(mutex_);
  while (!stopped_.wait_for(lock, CheckpointEvery, [this] { return stopping_; })) {
    lock.unlock();
    try {
      // PASSIVE copies what no reader still needs and never holds up the writer.
      checkpointer_->execute("PRAGMA wal_checkpoint(PASSIVE)");
    } catch (const StoreError& failure) {
      std::fprintf(stderr, "quandrel-server: %s\n", failure.what());
    }
    lock.lock();
  }
}

void SqliteStore::read(Work work) {
  readers_.with([&work](SqliteConnection& db) {
    db.execute("BEGIN");
    struct End {
      SqliteConnection& db;
      ~End() {
        try {
          db.execute("COMMIT");
        } catch (const StoreError&) {
          // A read transaction has nothing to lose; the next BEGIN starts afresh.
        }
      }
    } end{db};
    work(db);
  });
}

void SqliteStore::write(Work work) {
  Write entry{std::move(work), nullptr, false, {}};
  {
    std::unique_lock lock(mutex_);
    if (stopping_) throw StoreError("the server is stopping");
    queue_.push_back(&entry);
    waiting_.notify_one();
    entry.committed.wait(lock, [&entry] { return entry.done; });
  }
  if (entry.failure) std::rethrow_exception(entry.failure);
}

void SqliteStore::writeLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    waiting_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;  // stopping, and every write answered
    std::deque<Write*> batch;
    while (!queue_.empty() && batch.size() < MostWritesPerCommit) {
      batch.push_back(queue_.front());
      queue_.pop_front();
    }
    lock.unlock();
    commitTogether(batch);
    lock.lock();
    for (Write* write : batch) {
      write->done = true;
      write->committed.notify_one();
    }
  }
}

void SqliteStore::commitTogether(std::deque<Write*>& writes) {
  try {
    writer_->execute("BEGIN IMMEDIATE");
  } catch (...) {
    for (Write* write : writes) write->failure = std::current_exception();
    return;
  }
  for (Write* write : writes) {
    try {
      writer_->execute("SAVEPOINT one_write");
      try {
        write->work(*writer_);
      } catch (...) {
        write->failure = std::current_exception();
        writer_->execute("ROLLBACK TO one_write");
      }
      writer_->execute("RELEASE one_write");
    } catch (...) {
      write->failure = std::current_exception();
    }
  }
  try {
    writer_->execute("COMMIT");
  } catch (...) {
    // Nothing of the batch is kept, so none of it may be answered as kept.
    const std::exception_ptr failure = std::current_exception();
    try {
      writer_->execute("ROLLBACK");
    } catch (const StoreError&) {
      // Already rolled back by SQLite itself.
    }
    for (Write* write : writes) write->failure = failure;
  }
}
