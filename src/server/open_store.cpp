// Opens the store a --db value names.
#include <string_view>

#include "server/postgres_store.hpp"
#include "server/run_store.hpp"
#include "server/sqlite_store.hpp"

std::unique_ptr<RunStore> openRunStore(const std::string& database) {
  const std::string_view address = database;
  if (address.starts_with("sqlite:")) return std::make_unique<SqliteStore>(database.substr(7));
  if (address.starts_with("postgresql://") || address.starts_with("postgres://"))
    return std::make_unique<PostgresStore>(database);
  throw StoreError("unknown database '" + database + "' (give sqlite:PATH or postgresql://...)");
}
