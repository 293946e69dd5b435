// Parsing quandrel-server's command line.
#include "server/server_options.hpp"

#include <charconv>

namespace {

constexpr int MaxRate = 1000000;
constexpr int MaxThreads = 1024;

bool parseWhole(std::string_view text, int low, int high, int& value) {
  int parsed = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (failure != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

// ADDR:PORT, with an IPv6 address in brackets: [::1]:8480.
bool parseListen(std::string_view text, std::string& host, int& port) {
  const size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  std::string_view address = text.substr(0, colon);
  if (address.front() == '[') {
    if (address.size() < 3 || address.back() != ']') return false;
    address = address.substr(1, address.size() - 2);
  } else if (address.find(':') != std::string_view::npos) {
    return false;
  }
  if (!parseWhole(text.substr(colon + 1), 0, 65535, port)) return false;
  host = address;
  return true;
}

// A page origin: http:// or https://, a host and perhaps a port, no path.
bool isOrigin(std::string_view text) {
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (!text.starts_with(scheme)) continue;
    const std::string_view rest = text.substr(scheme.size());
    return !rest.empty() && rest.find('/') == std::string_view::npos;
  }
  return false;
}

bool isDatabase(std::string_view text) {
  return (text.starts_with("sqlite:") && text.size() > 7) || text.starts_with("postgresql://") ||
         text.starts_with("postgres://");
}

ServerOptions failure(std::string message) {
  ServerOptions options;
  options.action = ServerOptions::Action::Error;
  options.error = std::move(message);
  return options;
}

}  // namespace

ServerOptions parseServerOptions(int argc, const char* const* argv) {
  ServerOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") {
      options.action = ServerOptions::Action::Help;
      return options;
    }
    if (option == "--version") {
      options.action = ServerOptions::Action::Version;
      return options;
    }
    if (option == "--reverify") {
      options.action = ServerOptions::Action::Reverify;
      continue;
    }
    if (i + 1 >= argc) {
      if (option == "--listen" || option == "--db" || option == "--origin" || option == "--trusted-proxy" ||
          option == "--post-rate" || option == "--read-rate" || option == "--threads")
        return failure(std::string(option) + " needs a value");
      return failure("unknown option '" + std::string(option) + "'");
    }
    const std::string_view value = argv[i + 1];
    if (option == "--listen") {
      if (!parseListen(value, options.host, options.port))
        return failure("--listen needs ADDR:PORT, such as 127.0.0.1:8480 or [::1]:8480");
    } else if (option == "--db") {
      if (!isDatabase(value)) return failure("--db needs sqlite:PATH or postgresql://...");
      options.database = value;
    } else if (option == "--origin") {
      if (!isOrigin(value)) return failure("--origin needs a page origin, such as https://quandrel.example.org");
      options.origins.emplace_back(value);
    } else if (option == "--trusted-proxy") {
      options.trustedProxies.emplace_back(value);
    } else if (option == "--post-rate" || option == "--read-rate") {
      if (!parseWhole(value, 0, MaxRate, option == "--post-rate" ? options.postRate : options.readRate))
        return failure(std::string(option) + " needs a whole number from 0 (no limit) to " + std::to_string(MaxRate));
    } else if (option == "--threads") {
      if (!parseWhole(value, 1, MaxThreads, options.threads))
        return failure("--threads needs a whole number from 1 to " + std::to_string(MaxThreads));
    } else {
      return failure("unknown option '" + std::string(option) + "'");
    }
    ++i;
  }
  return options;
}

std::string defaultDatabase(const char* stateHome, const char* home) {
  if (stateHome != nullptr && *stateHome == '/') return std::string("sqlite:") + stateHome + "/quandrel-server/runs.sqlite";
  if (home != nullptr && *home != '\0') return std::string("sqlite:") + home + "/.local/state/quandrel-server/runs.sqlite";
  return {};
}

std::string serverUsageText(std::string_view program) {
  const std::string name(program);
  return "Usage:\n"
         "  " + name + " [OPTIONS]         serve the daily leaderboard over HTTP\n"
         "  " + name + " --reverify [--db DATABASE]\n"
         "                                prove every stored run again, hide those that no\n"
         "                                longer prove, and say how many\n"
         "  " + name + " --help | --version\n"
         "\n"
         "Options:\n"
         "  --listen ADDR:PORT      listen there (default 127.0.0.1:8480; port 0: any free one)\n"
         "  --db sqlite:PATH        keep the runs in an SQLite file (default\n"
         "                          $XDG_STATE_HOME/quandrel-server/runs.sqlite)\n"
         "  --db postgresql://...   keep them in PostgreSQL, shared with other servers\n"
         "  --origin URL            a page origin allowed to call the API from a browser\n"
         "                          (repeatable)\n"
         "  --trusted-proxy ADDR    believe X-Forwarded-For from this proxy (repeatable)\n"
         "  --post-rate N           posts a minute from one address (default 30; 0: no limit)\n"
         "  --read-rate N           reads a second from one address (default 50; 0: no limit)\n"
         "  --threads N             connections served at once (default 64)\n"
         "\n"
         "QUANDREL_TODAY=YYYY-MM-DD stands in for the clock: that day alone is open.\n";
}
