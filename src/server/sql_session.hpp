// One database connection as the shared queries see it: numbered statements
// with $1, $2... parameters, run and read row by row. SQLite and PostgreSQL
// each implement it on their own connection, with statements prepared once.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "server/run_queries.hpp"

using SqlValue = std::variant<int64_t, std::string_view>;

class SqlRow {
 public:
  virtual ~SqlRow() = default;
  virtual int64_t integer(int column) const = 0;
  virtual std::string text(int column) const = 0;
};

class SqlSession {
 public:
  virtual ~SqlSession() = default;
  // Runs `statement`, calling `row` for each row it returns; throws StoreError.
  virtual void run(Statement statement, std::initializer_list<SqlValue> parameters,
                   const std::function<void(const SqlRow&)>& row = {}) = 0;
  // The statement's one row's first column, or `otherwise` without a row.
  int64_t integer(Statement statement, std::initializer_list<SqlValue> parameters, int64_t otherwise = 0) {
    int64_t value = otherwise;
    run(statement, parameters, [&value](const SqlRow& r) { value = r.integer(0); });
    return value;
  }
};
