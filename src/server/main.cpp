// quandrel-server: the daily leaderboard, proving every run before it ranks it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "app/version.hpp"
#include "server/http_server.hpp"
#include "server/reverify.hpp"
#include "server/run_store.hpp"
#include "server/server_options.hpp"

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// The database named on the command line, or the default SQLite file, whose
// folder is made when missing. Empty (and said) when there is none.
std::string databaseOf(const ServerOptions& options, const std::string& program) {
  if (!options.database.empty()) return options.database;
  const std::string database = defaultDatabase(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
  if (database.empty()) {
    std::cerr << program << ": neither XDG_STATE_HOME nor HOME is set; give --db\n";
    return {};
  }
  const std::filesystem::path folder = std::filesystem::path(database.substr(7)).parent_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::cerr << program << ": cannot make " << folder.string() << ": " << error.message() << '\n';
    return {};
  }
  return database;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "quandrel-server";
  const ServerOptions options = parseServerOptions(argc, argv);
  switch (options.action) {
    case ServerOptions::Action::Help: std::cout << serverUsageText(program); return 0;
    case ServerOptions::Action::Version: std::cout << program << ' ' << quandrelVersion() << '\n'; return 0;
    case ServerOptions::Action::Error:
      std::cerr << program << ": " << options.error << "\nTry '" << program << " --help'.\n";
      return ExitUsage;
    case ServerOptions::Action::Serve:
    case ServerOptions::Action::Reverify: break;
  }
  const std::string database = databaseOf(options, program);
  if (database.empty()) return ExitFailure;
  if (options.action == ServerOptions::Action::Serve) return serveLeaderboard(options, database, program);
  try {
    const std::unique_ptr<RunStore> store = openRunStore(database);
    const ReverifyCount count = reverifyRuns(*store);
    std::cout << program << ": proved " << count.proven << " runs again: " << count.proves << " prove ("
              << count.changed << " with a new result or shown again), " << count.hidden << " hidden\n";
    return 0;
  } catch (const StoreError& failure) {
    std::cerr << program << ": " << failure.what() << '\n';
    return ExitFailure;
  }
}
