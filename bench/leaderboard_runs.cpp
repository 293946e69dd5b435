// Writes distinct real runs of one day for the leaderboard's load benchmark,
// one token a line: the day's run (a token in a file) cut after each of its
// actions, and each cut again paused under the menu for a while at one of its
// actions' moments (the actions after it later by as much). Only runs that
// prove at the normal time bar are written.
//
// Usage: leaderboard_runs RUN_FILE COUNT
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

#include "play/run_proof.hpp"
#include "runs/run_token.hpp"

namespace {

constexpr uint32_t PauseStepMs = 1000;
constexpr uint32_t MostPauseMs = 10000;

}  // namespace

int main(int argc, char** argv) {
  size_t wanted = 0;
  const std::string_view count = argc == 3 ? argv[2] : "";
  if (argc != 3 || std::from_chars(count.data(), count.data() + count.size(), wanted).ec != std::errc()) {
    std::fprintf(stderr, "usage: leaderboard_runs RUN_FILE COUNT\n");
    return 2;
  }
  std::ifstream file(argv[1]);
  std::string token;
  file >> token;
  runs::Run run;
  if (runs::decodeRunToken(token, run) != runs::RunRefusal::Accepted) {
    std::fprintf(stderr, "leaderboard_runs: %s holds no run\n", argv[1]);
    return 1;
  }
  std::set<std::string> written;
  const auto write = [&written](const runs::Run& candidate) {
    const RunVerdict verdict = verifyRun(candidate);
    if (!verdict.accepted() || verdict.result.timeMode != TimeMode::Normal) return;
    std::string text = runs::encodeRunToken(candidate);
    if (written.insert(text).second) std::cout << text << '\n';
  };
  for (size_t actions = 1; actions <= run.actions.size() && written.size() < wanted; ++actions) {
    runs::Run cut = run;
    cut.actions.resize(actions);
    write(cut);
    for (uint32_t pauseMs = 0; pauseMs <= MostPauseMs && written.size() < wanted; pauseMs += PauseStepMs) {
      for (size_t at = 0; at < actions && written.size() < wanted; ++at) {
        runs::Run paused = cut;
        const uint32_t tick = paused.actions[at].tickMs;
        for (size_t later = at; later < paused.actions.size(); ++later) paused.actions[later].tickMs += pauseMs;
        paused.actions.insert(paused.actions.begin() + static_cast<std::ptrdiff_t>(at),
                              {{tick, runs::ActionKind::Pause}, {tick + pauseMs, runs::ActionKind::Resume}});
        write(paused);
      }
    }
  }
  if (written.size() < wanted) {
    std::fprintf(stderr, "leaderboard_runs: only %zu runs\n", written.size());
    return 1;
  }
  return 0;
}
