// Writes distinct real runs of one day for the leaderboard's load benchmark,
// one token a line: the day's run (a token in a file) cut after each of its
// actions, and each cut again with a step there and back some time after its
// last action (the same score, a later time), as players who stopped at the
// same point a little later would have made. Only runs that prove at the
// normal time bar are written.
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

constexpr uint32_t LaterStepMs = 10;
constexpr uint32_t MostLaterMs = 20000;

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
    if (!verdict.accepted() || verdict.result.timeMode != TimeMode::Normal) return false;
    std::string text = runs::encodeRunToken(candidate);
    if (written.insert(text).second) std::cout << text << '\n';
    return true;
  };
  using runs::ActionKind;
  for (uint32_t laterMs = 0; laterMs <= MostLaterMs && written.size() < wanted; laterMs += LaterStepMs) {
    for (size_t actions = 1; actions <= run.actions.size() && written.size() < wanted; ++actions) {
      runs::Run cut = run;
      cut.actions.resize(actions);
      if (laterMs == 0) {
        write(cut);
        continue;
      }
      const uint32_t at = cut.actions.back().tickMs + laterMs;
      for (const auto& [first, second] : {std::pair{ActionKind::StepLeft, ActionKind::StepRight},
                                          std::pair{ActionKind::StepRight, ActionKind::StepLeft}}) {
        runs::Run later = cut;
        later.actions.push_back({at, first});
        later.actions.push_back({at, second});
        if (write(later)) break;
      }
    }
  }
  if (written.size() < wanted) {
    std::fprintf(stderr, "leaderboard_runs: only %zu runs\n", written.size());
    return 1;
  }
  return 0;
}
