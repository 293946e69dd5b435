// The server's parts that need no database or network: its command line, the
// days it takes, the body of a post, who a request comes from, the rate
// limits and the metrics' text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "server/board_cache.hpp"
#include "server/client_address.hpp"
#include "server/day_window.hpp"
#include "server/metrics.hpp"
#include "server/rate_limiter.hpp"
#include "server/run_post.hpp"
#include "server/server_options.hpp"

namespace {

using Action = ServerOptions::Action;

ServerOptions parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "quandrel-server");
  return parseServerOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(ServerOptions, ReadsEveryOptionAndRefusesWhatItCannotUse) {
  const ServerOptions plain = parse({});
  EXPECT_EQ(plain.action, Action::Serve);
  EXPECT_EQ(plain.host + ":" + std::to_string(plain.port), "127.0.0.1:8480");
  EXPECT_EQ(plain.database, "");
  EXPECT_EQ(plain.postRate, 30);
  EXPECT_EQ(plain.readRate, 50);

  const ServerOptions all =
      parse({"--listen", "[::1]:9000", "--db", "postgresql://board@db/runs", "--origin", "https://a.example",
             "--origin", "http://127.0.0.1:8000", "--trusted-proxy", "10.0.0.1", "--post-rate", "0", "--read-rate",
             "7", "--threads", "16"});
  ASSERT_EQ(all.action, Action::Serve) << all.error;
  EXPECT_EQ(all.host, "::1");
  EXPECT_EQ(all.port, 9000);
  EXPECT_EQ(all.database, "postgresql://board@db/runs");
  EXPECT_EQ(all.origins, (std::vector<std::string>{"https://a.example", "http://127.0.0.1:8000"}));
  EXPECT_EQ(all.trustedProxies, std::vector<std::string>{"10.0.0.1"});
  EXPECT_EQ(all.postRate, 0);
  EXPECT_EQ(all.readRate, 7);
  EXPECT_EQ(all.threads, 16);
  EXPECT_EQ(parse({"--db", "sqlite:/tmp/r.sqlite", "--reverify"}).action, Action::Reverify);
  EXPECT_EQ(parse({"--listen", "0.0.0.0:0"}).port, 0);
  EXPECT_EQ(parse({"--bogus", "--help"}).action, Action::Error) << "read in order";
  EXPECT_EQ(parse({"--version", "--bogus"}).action, Action::Version);

  const struct {
    std::vector<const char*> arguments;
    const char* error;
  } wrong[] = {
      {{"--listen", "8480"}, "--listen needs ADDR:PORT"},
      {{"--listen", "::1:8480"}, "--listen needs ADDR:PORT"},
      {{"--listen", "127.0.0.1:65536"}, "--listen needs ADDR:PORT"},
      {{"--listen", "[]:80"}, "--listen needs ADDR:PORT"},
      {{"--listen", "localhost:http"}, "--listen needs ADDR:PORT"},
      {{"--db", "sqlite:"}, "--db needs"},
      {{"--db", "mysql://x"}, "--db needs"},
      {{"--origin", "https://a.example/"}, "--origin needs"},
      {{"--origin", "a.example"}, "--origin needs"},
      {{"--origin", "https://a.example/page"}, "--origin needs"},
      {{"--post-rate", "-1"}, "--post-rate needs a whole number"},
      {{"--read-rate", "2.5"}, "--read-rate needs a whole number"},
      {{"--threads", "0"}, "--threads needs"},
      {{"--trusted-proxy"}, "--trusted-proxy needs a value"},
      {{"--read-rate"}, "--read-rate needs a value"},
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
  };
  for (const auto& [arguments, error] : wrong) {
    const ServerOptions options = parse(arguments);
    EXPECT_EQ(options.action, Action::Error) << arguments.front();
    EXPECT_EQ(options.error.rfind(error, 0), 0u) << options.error;
  }
}

TEST(ServerOptions, TheDefaultDatabaseIsInTheStateFolder) {
  EXPECT_EQ(defaultDatabase("/var/lib", "/root"), "sqlite:/var/lib/quandrel-server/runs.sqlite");
  EXPECT_EQ(defaultDatabase(nullptr, "/home/ada"), "sqlite:/home/ada/.local/state/quandrel-server/runs.sqlite");
  EXPECT_EQ(defaultDatabase("relative", "/home/ada"), "sqlite:/home/ada/.local/state/quandrel-server/runs.sqlite")
      << "a relative XDG_STATE_HOME is not taken";
  EXPECT_EQ(defaultDatabase(nullptr, nullptr), "");
  EXPECT_EQ(defaultDatabase("", ""), "");
}

// 2026-12-01 00:00 UTC, the start of day 1.
constexpr int64_t Day1 = 1796083200;
constexpr int64_t Hour = 3600;

TEST(DayWindow, ADayIsOpenWhileItIsTodaySomewhereOnEarth) {
  const struct {
    int64_t at;
    int32_t first;
    int32_t last;
  } cases[] = {
      {Day1, 0, 1},                    // midnight UTC: still the 30th west of UTC-12
      {Day1 + 10 * Hour - 1, 0, 1},    // just before the 2nd begins at UTC+14
      {Day1 + 10 * Hour, 0, 2},        // three dates on Earth at once
      {Day1 + 12 * Hour - 1, 0, 2},
      {Day1 + 12 * Hour, 1, 2},        // the 30th is over at UTC-12
      {Day1 + 24 * Hour - 1, 1, 2},
      {Day1 - 400 * 24 * Hour, -400, -399},
  };
  for (const auto& [at, first, last] : cases) {
    const OpenDays open = openDaysAt(at);
    EXPECT_EQ(open.first, first) << at;
    EXPECT_EQ(open.last, last) << at;
  }
  EXPECT_TRUE(openDaysAt(Day1).contains(1));
  EXPECT_FALSE(openDaysAt(Day1).contains(2));
}

TEST(DayWindow, QuandrelTodayOpensThatDayAlone) {
  setenv("QUANDREL_TODAY", "2026-12-05", 1);
  const OpenDays open = openDaysNow();
  EXPECT_EQ(open.first, 5);
  EXPECT_EQ(open.last, 5);
  setenv("QUANDREL_TODAY", "2026-02-30", 1);
  EXPECT_GT(openDaysNow().last, 0) << "not a date: the clock is used (after 2026-12-01)";
  unsetenv("QUANDREL_TODAY");
}

TEST(RunPost, ReadsTheThreeFieldsAndSaysWhatIsWrong) {
  const std::string player = "0123456789abcdef0123456789abcdef";
  const auto body = [&player](const std::string& name) {
    return R"({"token":"QRUN.x","player":")" + player + R"(","name":)" + name + "}";
  };
  const auto read = readRunPost(body("[0,255]") + " ");
  ASSERT_TRUE(std::holds_alternative<RunPost>(read));
  EXPECT_EQ(std::get<RunPost>(read).token, "QRUN.x");
  EXPECT_EQ(std::get<RunPost>(read).player, player);
  EXPECT_EQ(std::get<RunPost>(read).name, (NameWords{0, 255}));
  EXPECT_TRUE(std::holds_alternative<RunPost>(readRunPost(R"({"token":"t","extra":[1],"player":")" + player +
                                                          R"(","name":[1,2]})")))
      << "fields a newer game sends are ignored";

  const struct {
    std::string body;
    const char* error;
    const char* field;
  } wrong[] = {
      {"", "malformed", ""},
      {"\"QRUN.x\"", "malformed", ""},
      {"[\"QRUN.x\"]", "malformed", ""},
      {R"({"token":"\xff","player":")" + player + R"(","name":[1,2]})", "malformed", ""},
      {R"({"player":")" + player + R"(","name":[1,2]})", "bad-field", "token"},
      {R"({"token":["QRUN.x"],"player":")" + player + R"(","name":[1,2]})", "bad-field", "token"},
      {R"({"token":"QRUN.x","name":[1,2]})", "bad-field", "player"},
      {R"({"token":"QRUN.x","player":"0123456789ABCDEF0123456789abcdef","name":[1,2]})", "bad-field", "player"},
      {R"({"token":"QRUN.x","player":"0123456789abcdef0123456789abcdeg","name":[1,2]})", "bad-field", "player"},
      {R"({"token":"QRUN.x","player":"0123456789abcdef0123456789abcdef0","name":[1,2]})", "bad-field", "player"},
      {R"({"token":"QRUN.x","player":"123456789abcdef0123456789abcdef","name":[1,2]})", "bad-field", "player"},
      {body("[1]"), "bad-field", "name"},
      {body("[-1,2]"), "bad-field", "name"},
      {body("[1,2,3]"), "bad-field", "name"},
      {body("[1.0,2]"), "bad-field", "name"},
      {body("[\"1\",2]"), "bad-field", "name"},
      {body("18446744073709551615"), "bad-field", "name"},
      {body("[18446744073709551615,1]"), "bad-field", "name"},
      {body("{\"colour\":1,\"creature\":2}"), "bad-field", "name"},
  };
  for (const auto& [text, error, field] : wrong) {
    const auto refused = readRunPost(text);
    ASSERT_TRUE(std::holds_alternative<RequestProblem>(refused)) << text;
    EXPECT_EQ(std::get<RequestProblem>(refused).error, error) << text;
    EXPECT_EQ(std::get<RequestProblem>(refused).message.rfind(field, 0), 0u) << text;
  }
}

TEST(ClientAddress, ForwardedForIsBelievedFromTrustedProxiesOnly) {
  const std::vector<std::string> proxies{"10.0.0.1", "10.0.0.2"};
  const struct {
    const char* peer;
    const char* forwardedFor;
    const char* client;
  } cases[] = {
      {"203.0.113.9", "", "203.0.113.9"},
      {"203.0.113.9", "198.51.100.1", "203.0.113.9"},       // anyone can write the header
      {"10.0.0.1", "", "10.0.0.1"},                         // the proxy itself
      {"10.0.0.1", "198.51.100.1", "198.51.100.1"},
      {"::ffff:10.0.0.1", "198.51.100.1", "198.51.100.1"},  // a dual-stack socket's spelling
      {"10.0.0.1", "1.2.3.4, 198.51.100.1", "198.51.100.1"},  // the client may lie about the left
      {"10.0.0.1", "198.51.100.1, 10.0.0.2", "198.51.100.1"},  // past our second proxy
      {"10.0.0.1", " 2001:db8::7 ,", "2001:db8::7"},
      {"10.0.0.1", "10.0.0.2", "10.0.0.2"},                  // only proxies: the farthest
      {"10.0.0.1", " , ", "10.0.0.1"},
  };
  for (const auto& [peer, forwardedFor, client] : cases)
    EXPECT_EQ(clientAddress(peer, forwardedFor, proxies), client) << peer << " / " << forwardedFor;
}

TEST(RateLimiter, ABucketPerClientFillsAtItsRate) {
  using namespace std::chrono_literals;
  const RateLimiter::Clock::time_point start{};
  RateLimiter limiter = RateLimiter::perMinute(3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(limiter.take("a", start), 0) << i;
  EXPECT_DOUBLE_EQ(limiter.take("a", start), 20.0) << "one post every 20 s";
  EXPECT_EQ(limiter.take("b", start), 0) << "another client has its own bucket";
  EXPECT_DOUBLE_EQ(limiter.take("a", start + 15s), 5.0) << "a refused request takes nothing";
  EXPECT_EQ(limiter.take("a", start + 20s), 0);
  EXPECT_GT(limiter.take("a", start + 20s), 0);
  EXPECT_EQ(limiter.take("a", start + 24h), 0);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(limiter.take("a", start + 24h), 0) << "the bucket holds three at most";
  EXPECT_GT(limiter.take("a", start + 24h), 0);
  EXPECT_GT(limiter.take("a", start + 23h), 0) << "a clock going back gives nothing";

  RateLimiter unlimited = RateLimiter::perSecond(0);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(unlimited.take("a", start), 0);
  EXPECT_EQ(unlimited.clientsTracked(), 0u);
}

TEST(RateLimiter, ForgetsClientsWhoseBucketsFilledAgain) {
  using namespace std::chrono_literals;
  const RateLimiter::Clock::time_point start{};
  RateLimiter limiter = RateLimiter::perSecond(2);
  for (int i = 0; i < 1000; ++i) limiter.take("early-" + std::to_string(i), start);
  EXPECT_EQ(limiter.clientsTracked(), 1000u);
  limiter.take("busy", start + 1s);
  limiter.take("busy", start + 1s);
  for (int i = 0; i < 100; ++i) limiter.take("late-" + std::to_string(i), start + 1s);
  EXPECT_LT(limiter.clientsTracked(), 200u) << "the early clients' buckets are full again";
  EXPECT_GT(limiter.take("busy", start + 1s), 0) << "an empty bucket is remembered";
}

TEST(Metrics, CountsRequestsProofsAndRefusalsInPrometheusText) {
  Metrics metrics;
  metrics.countRequest("post_run", 201, 0.0007);
  metrics.countRequest("post_run", 201, 0.03);
  metrics.countRequest("post_run", 422, 9.0);
  metrics.countRequest("board", 200, 0.002);
  metrics.countProof(0.0001);
  metrics.countRefusal("forged-checksum");
  metrics.countRefusal("forged-checksum");
  metrics.countRefusal("copied");
  const std::string text = metrics.text();
  for (const char* line : {
           "quandrel_requests_total{route=\"post_run\",status=\"201\"} 2\n",
           "quandrel_requests_total{route=\"post_run\",status=\"422\"} 1\n",
           "quandrel_requests_total{route=\"board\",status=\"200\"} 1\n",
           "quandrel_request_duration_seconds_bucket{route=\"post_run\",le=\"0.0005\"} 0\n",
           "quandrel_request_duration_seconds_bucket{route=\"post_run\",le=\"0.001\"} 1\n",
           "quandrel_request_duration_seconds_bucket{route=\"post_run\",le=\"0.05\"} 2\n",
           "quandrel_request_duration_seconds_bucket{route=\"post_run\",le=\"2.5\"} 2\n",
           "quandrel_request_duration_seconds_bucket{route=\"post_run\",le=\"+Inf\"} 3\n",
           "quandrel_request_duration_seconds_count{route=\"post_run\"} 3\n",
           "quandrel_request_duration_seconds_sum{route=\"board\"} 0.002\n",
           "quandrel_proofs_total 1\n",
           "quandrel_proof_duration_seconds_bucket{le=\"0.0005\"} 1\n",
           "quandrel_proof_duration_seconds_count 1\n",
           "quandrel_refusals_total{reason=\"forged-checksum\"} 2\n",
           "quandrel_refusals_total{reason=\"copied\"} 1\n",
           "# TYPE quandrel_request_duration_seconds histogram\n",
       })
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(BoardCache, KeepsTopRowsUntilTheNextWriteAndASecondAtMost) {
  using namespace std::chrono_literals;
  const BoardCache::Clock::time_point start{};
  BoardCache cache;
  const auto body = [&cache](int32_t day, int32_t limit, BoardCache::Clock::time_point at) {
    return cache.find(day, limit, at).body;
  };
  const BoardCache::Lookup first = cache.find(1, 10, start);
  EXPECT_EQ(first.body, std::nullopt);
  cache.keep(1, 10, first.generation, "ten", start);
  cache.keep(1, 3, first.generation, "three", start);
  EXPECT_EQ(body(1, 10, start + 999ms), "ten");
  EXPECT_EQ(body(1, 3, start), "three");
  EXPECT_EQ(body(2, 10, start), std::nullopt) << "another day";
  EXPECT_EQ(body(1, 10, start - 1s), std::nullopt) << "a clock going back gives nothing";

  // A second old: another server may have written. One reader reads afresh,
  // the others meanwhile get the aged answer, until the fresh one is kept.
  const BoardCache::Lookup refresher = cache.find(1, 10, start + 1s);
  EXPECT_EQ(refresher.body, std::nullopt);
  EXPECT_EQ(body(1, 10, start + 1100ms), "ten");
  cache.keep(1, 10, refresher.generation, "ten afresh", start + 1200ms);
  EXPECT_EQ(body(1, 10, start + 1300ms), "ten afresh");
  // A reader that never came back is replaced after a second.
  EXPECT_EQ(body(1, 10, start + 2200ms), std::nullopt);
  EXPECT_EQ(body(1, 10, start + 2300ms), "ten afresh");
  EXPECT_EQ(body(1, 10, start + 3300ms), std::nullopt);

  const BoardCache::Lookup beforeWrite = cache.find(5, 10, start);
  cache.forget();
  EXPECT_EQ(body(1, 3, start), std::nullopt) << "a write forgets every answer";
  cache.keep(5, 10, beforeWrite.generation, "read before the write", start);
  EXPECT_EQ(body(5, 10, start), std::nullopt) << "an answer read before a write is not kept";
  cache.keep(5, 10, cache.find(5, 10, start).generation, "read after the write", start);
  EXPECT_EQ(body(5, 10, start), "read after the write");
}

}  // namespace
