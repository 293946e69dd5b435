// The HTTP side of the leaderboard.
#include "server/http_server.hpp"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "server/client_address.hpp"
#include "server/leaderboard_api.hpp"
#include "server/metrics.hpp"
#include "server/rate_limiter.hpp"
#include "server/run_store.hpp"

namespace {

constexpr size_t MaxBodyBytes = 64 * 1024;
constexpr const char* Json = "application/json";

// When the request being served on this thread began (its headers read).
thread_local std::chrono::steady_clock::time_point requestStart;

// The route a request is counted under in the metrics: a fixed set of names.
std::string_view routeName(const httplib::Request& request) {
  const std::string_view path = request.path;
  if (request.method == "OPTIONS") return "preflight";
  if (request.method == "POST" && path == "/v1/runs") return "post_run";
  if (request.method == "GET" && path.starts_with("/v1/days/")) return "board";
  if (request.method == "GET" && path.starts_with("/v1/runs/")) return "run";
  if (request.method == "DELETE" && path.starts_with("/v1/players/")) return "delete_player";
  if (path == "/healthz") return "healthz";
  if (path == "/metrics") return "metrics";
  return "other";
}

void answer(httplib::Response& response, const ApiReply& reply) {
  response.status = reply.status;
  response.set_content(reply.body, Json);
}

std::optional<std::string> parameter(const httplib::Request& request, const char* name) {
  if (!request.has_param(name)) return std::nullopt;
  return request.get_param_value(name);
}

// The words of an error httplib answers by itself, before any route.
ApiReply errorFor(int status, const httplib::Request& request) {
  switch (status) {
    case 404: return errorReply(404, "not-found", "no such route: " + request.method + " " + request.path);
    case 413: return errorReply(413, "too-large", "the body is over 64 KB");
    case 400: return errorReply(400, "malformed", "the request could not be read");
    default: return errorReply(status, "failed", "the request failed");
  }
}

// cpp-httplib's server with a deeper queue of connections waiting to be
// accepted: its own holds 5, and a burst of new connections beyond that has
// its SYNs dropped and retried a second or more later.
class DeepQueueServer : public httplib::Server {
 public:
  static constexpr int Backlog = 1024;
  // After a bind: listening again on the socket only changes its queue.
  bool deepenQueue() { return ::listen(svr_sock_, Backlog) == 0; }
};

class LeaderboardServer {
 public:
  LeaderboardServer(const ServerOptions& options, RunStore& store)
      : options_(options),
        api_(store, metrics_),
        posts_(RateLimiter::perMinute(options.postRate)),
        reads_(RateLimiter::perSecond(options.readRate)) {
    const size_t threads = static_cast<size_t>(options.threads);
    http_.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    http_.set_payload_max_length(MaxBodyBytes);
    // Answers leave at once, not held back for the client's acknowledgement
    // (Nagle's algorithm against delayed ACKs costs 40 ms a request).
    http_.set_tcp_nodelay(true);
    // A connection holds a thread while it is open: idle ones are let go soon.
    http_.set_keep_alive_timeout(2);
    http_.set_keep_alive_max_count(100000);
    http_.set_pre_routing_handler([this](const httplib::Request& q, httplib::Response& r) { return before(q, r); });
    http_.set_error_handler([](const httplib::Request& q, httplib::Response& r) {
      if (r.body.empty()) answer(r, errorFor(r.status, q));
    });
    http_.set_exception_handler([](const httplib::Request&, httplib::Response& r, std::exception_ptr failure) {
      try {
        std::rethrow_exception(failure);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "quandrel-server: %s\n", e.what());
      } catch (...) {
        std::fprintf(stderr, "quandrel-server: an unknown failure\n");
      }
      answer(r, errorReply(500, "internal", "the server failed; nothing was written"));
    });
    http_.set_logger([this](const httplib::Request& q, const httplib::Response& r) {
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - requestStart).count();
      metrics_.countRequest(routeName(q), r.status, seconds);
    });
    routes();
  }

  DeepQueueServer& http() { return http_; }

 private:
  void routes() {
    http_.Post("/v1/runs", [this](const httplib::Request& q, httplib::Response& r) { answer(r, api_.postRun(q.body)); });
    http_.Get(R"(/v1/days/(-?\d+)/board)", [this](const httplib::Request& q, httplib::Response& r) {
      answer(r, api_.board(q.matches[1].str(), parameter(q, "limit"), parameter(q, "around")));
    });
    http_.Get(R"(/v1/runs/(\d+))",
              [this](const httplib::Request& q, httplib::Response& r) { answer(r, api_.run(q.matches[1].str())); });
    http_.Delete(R"(/v1/players/([^/]+))", [this](const httplib::Request& q, httplib::Response& r) {
      answer(r, api_.deletePlayer(q.matches[1].str()));
    });
    http_.Get("/healthz", [this](const httplib::Request&, httplib::Response& r) { answer(r, api_.health()); });
    http_.Get("/metrics", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content(metrics_.text(), "text/plain; version=0.0.4");
    });
    http_.Options(".*", [](const httplib::Request&, httplib::Response& r) { r.status = 204; });
  }

  // Before any route: the clock, CORS, and the rate limit.
  httplib::Server::HandlerResponse before(const httplib::Request& request, httplib::Response& response) {
    requestStart = std::chrono::steady_clock::now();
    allowOrigin(request, response);
    const std::string_view route = routeName(request);
    if (route == "healthz" || route == "metrics" || route == "preflight") return httplib::Server::HandlerResponse::Unhandled;
    RateLimiter& limiter = request.method == "GET" ? reads_ : posts_;
    const std::string client =
        clientAddress(request.remote_addr, request.get_header_value("X-Forwarded-For"), options_.trustedProxies);
    const double wait = limiter.take(client, std::chrono::steady_clock::now());
    if (wait <= 0) return httplib::Server::HandlerResponse::Unhandled;
    answer(response, errorReply(429, "too-many-requests", "too many requests from this address; wait and try again"));
    response.set_header("Retry-After", std::to_string(static_cast<long>(std::ceil(wait))));
    // The body, if any, is not read: the connection cannot be used again.
    response.set_header("Connection", "close");
    return httplib::Server::HandlerResponse::Handled;
  }

  void allowOrigin(const httplib::Request& request, httplib::Response& response) const {
    const std::string origin = request.get_header_value("Origin");
    if (origin.empty() || std::find(options_.origins.begin(), options_.origins.end(), origin) == options_.origins.end())
      return;
    response.set_header("Access-Control-Allow-Origin", origin);
    response.set_header("Vary", "Origin");
    if (request.method == "OPTIONS") {
      response.set_header("Access-Control-Allow-Methods", "GET, POST, DELETE");
      response.set_header("Access-Control-Allow-Headers", "Content-Type");
      response.set_header("Access-Control-Max-Age", "86400");
    }
  }

  const ServerOptions& options_;
  Metrics metrics_;
  LeaderboardApi api_;
  RateLimiter posts_;
  RateLimiter reads_;
  DeepQueueServer http_;
};

}  // namespace

int serveLeaderboard(const ServerOptions& options, const std::string& database, const std::string& program) {
  // SIGTERM and SIGINT wait for a thread of their own, which stops the server
  // cleanly: requests under way are answered, the database closed. Blocked
  // before any thread starts (the database's too), as threads inherit it.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::unique_ptr<RunStore> store;
  try {
    store = openRunStore(database);
  } catch (const StoreError& failure) {
    std::fprintf(stderr, "%s: %s\n", program.c_str(), failure.what());
    return 1;
  }
  LeaderboardServer server(options, *store);
  DeepQueueServer& http = server.http();
  const int port = options.port == 0 ? http.bind_to_any_port(options.host)
                                     : (http.bind_to_port(options.host, options.port) ? options.port : -1);
  if (port < 0 || !http.deepenQueue()) {
    std::fprintf(stderr, "%s: cannot listen on %s:%d\n", program.c_str(), options.host.c_str(), options.port);
    return 1;
  }
  const bool v6 = options.host.find(':') != std::string::npos;
  std::fprintf(stderr, "%s: listening on http://%s%s%s:%d\n", program.c_str(), v6 ? "[" : "", options.host.c_str(),
               v6 ? "]" : "", port);
  std::fflush(stderr);
  std::atomic<bool> listenEnded{false};
  std::thread stopper([&http, &stopSignals, &listenEnded] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    // Stopping does nothing until the listening loop runs: a signal that came
    // before it waits for it, so that a stop asked at once is never lost.
    while (!http.is_running() && !listenEnded) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    http.stop();
  });
  const bool served = http.listen_after_bind();
  // Wakes the stopper if the server ended by itself.
  listenEnded = true;
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return served ? 0 : 1;
}
