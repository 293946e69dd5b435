// An SQLite connection running the shared statements.
#include "server/sqlite_connection.hpp"

#include <sqlite3.h>

#include <cstddef>
#include <type_traits>

namespace {

class SqliteRow : public SqlRow {
 public:
  explicit SqliteRow(sqlite3_stmt* statement) : statement_(statement) {}
  int64_t integer(int column) const override { return sqlite3_column_int64(statement_, column); }
  std::string text(int column) const override {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return bytes == nullptr ? std::string() : std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
  }

 private:
  sqlite3_stmt* statement_;
};

// Resets the statement however its run ends, so it can be run again.
struct ResetAfterwards {
  sqlite3_stmt* statement;
  ~ResetAfterwards() {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
  }
};

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw StoreError("cannot open " + path + ": " + reason);
  }
  sqlite3_extended_result_codes(db_, 1);
  // Another process's checkpoint or a reader's snapshot never fails a request
  // at once: it waits up to five seconds.
  sqlite3_busy_timeout(db_, 5000);
}

SqliteConnection::~SqliteConnection() {
  for (sqlite3_stmt* statement : prepared_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

void SqliteConnection::fail(const std::string& what) const {
  throw StoreError(what + ": " + sqlite3_errmsg(db_));
}

void SqliteConnection::execute(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(std::string("SQLite: ") + sql);
}

void SqliteConnection::run(Statement statement, std::initializer_list<SqlValue> parameters,
                           const std::function<void(const SqlRow&)>& row) {
  sqlite3_stmt*& prepared = prepared_[static_cast<size_t>(statement)];
  const std::string_view text = statementText(statement);
  if (prepared == nullptr &&
      sqlite3_prepare_v3(db_, text.data(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT, &prepared,
                         nullptr) != SQLITE_OK)
    fail("SQLite cannot prepare " + std::string(text));
  const ResetAfterwards reset{prepared};
  int index = 0;
  for (const SqlValue& value : parameters) {
    // $1, $2... are named parameters to SQLite: bound by name, whatever
    // order they first appear in.
    const int slot = sqlite3_bind_parameter_index(prepared, ("$" + std::to_string(++index)).c_str());
    if (slot == 0) fail("SQLite: no $" + std::to_string(index) + " in " + std::string(text));
    const int bound = std::visit(
        [prepared, slot](const auto& v) {
          if constexpr (std::is_same_v<std::decay_t<decltype(v)>, int64_t>)
            return sqlite3_bind_int64(prepared, slot, v);
          else
            return sqlite3_bind_text(prepared, slot, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
        },
        value);
    if (bound != SQLITE_OK) fail("SQLite cannot bind a value");
  }
  const SqliteRow current(prepared);
  for (;;) {
    const int step = sqlite3_step(prepared);
    if (step == SQLITE_DONE) return;
    if (step != SQLITE_ROW) fail("SQLite: " + std::string(text));
    if (row) row(current);
  }
}
