// quandrel-server's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ServerOptions {
  enum class Action { Serve, Reverify, Help, Version, Error };
  Action action = Action::Serve;
  std::string host = "127.0.0.1";
  int port = 8480;  // 0: any free port (the one taken is printed)
  std::string database;  // empty: the default SQLite file
  std::vector<std::string> origins;
  std::vector<std::string> trustedProxies;
  int postRate = 30;  // posts a minute from one address; 0: no limit
  int readRate = 50;  // reads a second from one address; 0: no limit
  int threads = 64;   // connections served at once
  std::string error;
};

ServerOptions parseServerOptions(int argc, const char* const* argv);
// sqlite:$XDG_STATE_HOME/quandrel-server/runs.sqlite, with ~/.local/state for
// an unset XDG_STATE_HOME; empty when neither variable is set.
std::string defaultDatabase(const char* stateHome, const char* home);
std::string serverUsageText(std::string_view program);
