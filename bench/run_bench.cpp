// Shared runs: the token size of each level's run (the autoplayer's runs of
// days 1..10, fuzz/run-seeds), the time to prove a whole level's run by
// replaying it, against the game time the run itself took, and the time to
// prove the forged runs that cost the most (fuzz/run-seeds/forged-*.run).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "play/run_proof.hpp"
#include "runs/run_token.hpp"

namespace {

std::string seedRun(const std::string& name) {
  std::ifstream file(std::string(QUANDREL_RUN_SEEDS) + "/" + name + ".run");
  std::string token;
  std::getline(file, token);
  return token;
}

std::string levelRun(int level) { return seedRun("level-" + std::to_string(level)); }

void BM_VerifyLevelRun(benchmark::State& state) {
  const std::string token = levelRun(static_cast<int>(state.range(0)));
  const RunVerdict verdict = verifyRunToken(token);
  if (!verdict.accepted()) {
    state.SkipWithError("the level's run does not verify");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(verifyRunToken(token).result.score);
  state.counters["token_chars"] = static_cast<double>(token.size());
  state.counters["run_game_ms"] = static_cast<double>(verdict.run.actions.back().tickMs);
  // Game milliseconds proven per millisecond of verifying.
  state.counters["game_time_per_verify_time"] =
      benchmark::Counter(static_cast<double>(verdict.run.actions.back().tickMs) / 1000.0,
                         benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_VerifyLevelRun)->DenseRange(1, 10)->Unit(benchmark::kMillisecond);

// Forged runs: a gap of 2^31 ms, a pause of 46 days, 20,000 steps, 20,000
// presses of fire with no time bar. Each ends proven or refused.
void BM_VerifyForgedRun(benchmark::State& state, const char* name) {
  const std::string token = seedRun(std::string("forged-") + name);
  for (auto _ : state) benchmark::DoNotOptimize(verifyRunToken(token).refusal);
  state.counters["token_chars"] = static_cast<double>(token.size());
}

BENCHMARK_CAPTURE(BM_VerifyForgedRun, gap, "gap")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_VerifyForgedRun, long_pause, "long-pause")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_VerifyForgedRun, steps, "steps")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_VerifyForgedRun, fire_off, "fire-off")->Unit(benchmark::kMillisecond);

void printTokenSizes() {
  std::vector<size_t> sizes;
  for (int level = 1; level <= 10; ++level) sizes.push_back(levelRun(level).size());
  std::sort(sizes.begin(), sizes.end());
  std::printf("token size over the ten levels' runs: median %zu characters, largest %zu\n",
              (sizes[4] + sizes[5]) / 2, sizes.back());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  printTokenSizes();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
