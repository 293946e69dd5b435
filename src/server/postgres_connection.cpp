// A PostgreSQL connection running the shared statements through libpq.
#include "server/postgres_connection.hpp"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct ClearResult {
  void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ClearResult>;

class PostgresRow : public SqlRow {
 public:
  PostgresRow(const PGresult* result, int row) : result_(result), row_(row) {}
  int64_t integer(int column) const override {
    const char* text = PQgetvalue(result_, row_, column);
    int64_t value = 0;
    std::from_chars(text, text + std::strlen(text), value);
    return value;
  }
  std::string text(int column) const override {
    return std::string(PQgetvalue(result_, row_, column), static_cast<size_t>(PQgetlength(result_, row_, column)));
  }

 private:
  const PGresult* result_;
  int row_;
};

std::string errorOf(pg_conn* connection, const PGresult* result) {
  std::string message = result != nullptr ? PQresultErrorMessage(result) : PQerrorMessage(connection);
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  return message;
}

// Throws for a result that failed; a conflict PostgreSQL would have retried
// (40001 serialization failure, 40P01 deadlock) as a StoreConflict.
void check(pg_conn* connection, const Result& result, const char* what) {
  const ExecStatusType status = PQresultStatus(result.get());
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
  const char* state = result ? PQresultErrorField(result.get(), PG_DIAG_SQLSTATE) : nullptr;
  const std::string message = std::string("PostgreSQL ") + what + ": " + errorOf(connection, result.get());
  if (state != nullptr && (std::strcmp(state, "40001") == 0 || std::strcmp(state, "40P01") == 0))
    throw StoreConflict(message);
  throw StoreError(message);
}

}  // namespace

PostgresConnection::PostgresConnection(const std::string& address) {
  connection_ = PQconnectdb(address.c_str());
  if (PQstatus(connection_) != CONNECTION_OK) {
    const std::string message = errorOf(connection_, nullptr);
    PQfinish(connection_);
    throw StoreError("cannot connect to PostgreSQL: " + message);
  }
  // Notices (such as "relation already exists, skipping") are not errors.
  PQsetNoticeProcessor(connection_, [](void*, const char*) {}, nullptr);
}

PostgresConnection::~PostgresConnection() { PQfinish(connection_); }

void PostgresConnection::reconnectIfLost() {
  if (PQstatus(connection_) == CONNECTION_OK) return;
  PQreset(connection_);
  prepared_.fill(false);
}

void PostgresConnection::execute(const char* sql) {
  check(connection_, Result(PQexec(connection_, sql)), sql);
}

void PostgresConnection::run(Statement statement, std::initializer_list<SqlValue> parameters,
                             const std::function<void(const SqlRow&)>& row) {
  const size_t index = static_cast<size_t>(statement);
  const std::string name = "q" + std::to_string(index);
  if (!prepared_[index]) {
    const std::string text(statementText(statement));
    check(connection_, Result(PQprepare(connection_, name.c_str(), text.c_str(), 0, nullptr)), "prepare");
    prepared_[index] = true;
  }
  std::vector<std::string> texts;
  texts.reserve(parameters.size());
  for (const SqlValue& value : parameters)
    texts.push_back(std::holds_alternative<int64_t>(value) ? std::to_string(std::get<int64_t>(value))
                                                            : std::string(std::get<std::string_view>(value)));
  std::vector<const char*> values;
  for (const std::string& text : texts) values.push_back(text.c_str());
  const Result result(PQexecPrepared(connection_, name.c_str(), static_cast<int>(values.size()), values.data(),
                                     nullptr, nullptr, 0));
  check(connection_, result, name.c_str());
  if (!row) return;
  for (int i = 0; i < PQntuples(result.get()); ++i) row(PostgresRow(result.get(), i));
}
