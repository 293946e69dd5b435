// Makes the runs the server's tests post, from one real run of a day (a token
// in a file): the run cut after each of its actions (real runs of the same
// day with other results, as a player who stopped there would have made), a
// twin of one cut (another token with the very same result), and runs that
// must be refused for each reason. Prints one JSON object; each run with the
// result its proof gives.
//
// Usage: server_test_runs RUN_FILE
#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "play/run_proof.hpp"
#include "runs/run_token.hpp"

namespace {

using nlohmann::json;

json proven(const runs::Run& run) {
  const std::string token = runs::encodeRunToken(run);
  const RunVerdict verdict = verifyRunToken(token);
  json entry{{"token", token}, {"actions", run.actions.size()}};
  if (!verdict.accepted()) {
    entry["refusal"] = runs::refusalName(verdict.refusal);
    return entry;
  }
  entry["score"] = verdict.result.score;
  entry["stars"] = verdict.result.stars;
  entry["timeMs"] = verdict.result.timeMs;
  return entry;
}

runs::Run cut(const runs::Run& run, size_t actions) {
  runs::Run shorter = run;
  shorter.actions.resize(actions);
  return shorter;
}

// The cut with a pause and a resume (or a step there and back) added at its
// last action's moment: another token, the same result.
json twinOf(const runs::Run& run) {
  const json original = proven(run);
  const uint32_t last = run.actions.back().tickMs;
  using runs::ActionKind;
  for (const auto& [first, second] : {std::pair{ActionKind::Pause, ActionKind::Resume},
                                      std::pair{ActionKind::StepLeft, ActionKind::StepRight},
                                      std::pair{ActionKind::StepRight, ActionKind::StepLeft}}) {
    runs::Run twin = run;
    twin.actions.push_back({last, first});
    twin.actions.push_back({last, second});
    json entry = proven(twin);
    if (!entry.contains("refusal") && entry["score"] == original["score"] && entry["timeMs"] == original["timeMs"] &&
        entry["stars"] == original["stars"])
      return entry;
  }
  return nullptr;
}

// The token with its checksum changed (its last character), so that it reads
// as forged.
std::string forged(const std::string& token) {
  for (const char other : std::string("AQgw")) {
    std::string changed = token;
    if (changed.back() == other) continue;
    changed.back() = other;
    runs::Run ignored;
    if (runs::decodeRunToken(changed, ignored) == runs::RunRefusal::ForgedChecksum) return changed;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: server_test_runs RUN_FILE\n");
    return 2;
  }
  std::ifstream file(argv[1]);
  std::string token;
  file >> token;
  runs::Run run;
  if (runs::decodeRunToken(token, run) != runs::RunRefusal::Accepted || !verifyRunToken(token).accepted()) {
    std::fprintf(stderr, "server_test_runs: %s holds no run that proves\n", argv[1]);
    return 1;
  }
  json out;
  out["day"] = run.day;
  out["whole"] = proven(run);
  out["cuts"] = json::array();
  for (size_t actions = 1; actions < run.actions.size(); ++actions) out["cuts"].push_back(proven(cut(run, actions)));
  const runs::Run twinned = cut(run, run.actions.size() / 2);
  out["twin"] = {{"of", proven(twinned)}, {"twin", twinOf(twinned)}};
  runs::Run relaxed = run;
  relaxed.timeMode = TimeMode::Relaxed;
  out["relaxed"] = proven(relaxed);
  runs::Run impossible = run;
  impossible.actions.insert(impossible.actions.begin(), {0, runs::ActionKind::Resume});
  out["impossible"] = proven(impossible);
  runs::Run otherLevel = run;
  otherLevel.level = run.level % 10 + 1;
  out["damaged"] = proven(otherLevel);
  runs::Run newer = run;
  newer.formatVersion = runs::RunFormatVersion + 1;
  out["newer"] = runs::encodeRunToken(newer);
  out["forged"] = forged(token);
  std::cout << out.dump() << '\n';
  return 0;
}
