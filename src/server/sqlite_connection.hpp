// One SQLite connection as a SqlSession: the shared statements prepared on
// first use and kept, plus plain SQL for schema and transaction commands.
#pragma once

#include <array>
#include <string>

#include "server/sql_session.hpp"

struct sqlite3;
struct sqlite3_stmt;

class SqliteConnection : public SqlSession {
 public:
  // Opens (creating it when `create`) the database file; throws StoreError.
  SqliteConnection(const std::string& path, bool create);
  ~SqliteConnection() override;
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  void run(Statement statement, std::initializer_list<SqlValue> parameters,
           const std::function<void(const SqlRow&)>& row = {}) override;
  // Runs one or more SQL commands that return nothing worth reading.
  void execute(const char* sql);

 private:
  [[noreturn]] void fail(const std::string& what) const;

  sqlite3* db_ = nullptr;
  std::array<sqlite3_stmt*, StatementCount> prepared_{};
};
