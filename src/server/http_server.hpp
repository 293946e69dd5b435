// The leaderboard over HTTP (cpp-httplib, a thread per open connection):
// the API's routes, CORS for the allowed page origins, the rate limits, the
// 64 KB body limit, /healthz and /metrics. Serves until SIGTERM or SIGINT.
#pragma once

#include <string>

#include "server/server_options.hpp"

// Opens the database and serves it; returns the process's exit status.
int serveLeaderboard(const ServerOptions& options, const std::string& database, const std::string& program);
