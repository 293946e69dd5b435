// One PostgreSQL connection (libpq) as a SqlSession: the shared statements
// prepared on the server once per connection, values sent as text.
#pragma once

#include <array>
#include <string>

#include "server/sql_session.hpp"

struct pg_conn;

class PostgresConnection : public SqlSession {
 public:
  // Connects with a libpq connection string or URI; throws StoreError.
  explicit PostgresConnection(const std::string& address);
  ~PostgresConnection() override;
  PostgresConnection(const PostgresConnection&) = delete;
  PostgresConnection& operator=(const PostgresConnection&) = delete;

  void run(Statement statement, std::initializer_list<SqlValue> parameters,
           const std::function<void(const SqlRow&)>& row = {}) override;
  // Runs SQL commands that return nothing worth reading.
  void execute(const char* sql);
  // After a lost connection: connects again, to be prepared afresh.
  void reconnectIfLost();

 private:
  pg_conn* connection_ = nullptr;
  std::array<bool, StatementCount> prepared_{};
};
