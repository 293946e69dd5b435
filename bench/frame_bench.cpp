// Composing the heaviest frame (the 54 controls of the start-up screen) next
// to a plain copy of a 480 x 720 RGBA frame, measured in the same run; the
// closing line gives their ratio. Also counts heap allocations per frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "allocation_counter.hpp"
#include "platform/canvas.hpp"
#include "start_screen.hpp"

namespace {


void BM_ComposeStartScreen(benchmark::State& state) {
  StartScreenScene scene;
  Canvas canvas;
  scene.compose(canvas);  // first frame: glyphs rasterised and kept
  uint64_t allocations = 0;
  for (auto _ : state) {
    const uint64_t before = allocationCount();
    scene.advance();
    scene.compose(canvas);
    allocations += allocationCount() - before;
    benchmark::DoNotOptimize(canvas.pixels());
    benchmark::ClobberMemory();
  }
  state.counters["controls"] = static_cast<double>(scene.controlCount());
  state.counters["allocs_per_frame"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ComposeStartScreen);


// The console report, then the ratio of composing to copying, by wall-clock
// time and by CPU time (the steadier figure on a busy machine).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // Single runs, or only their means when just aggregates are reported.
      const bool single = run.run_type == Run::RT_Iteration;
      const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
      if (run.error_occurred || (!single && !mean)) {
        continue;
      }
      const double toSeconds = 1.0 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      Times& times = (single ? singles_ : means_)[run.run_name.function_name];
      times.real += run.GetAdjustedRealTime() * toSeconds;
      times.cpu += run.GetAdjustedCPUTime() * toSeconds;
      ++times.runs;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto& times = singles_.empty() ? means_ : singles_;
    const auto compose = times.find("BM_ComposeStartScreen");
    const auto copy = times.find("BM_CopyPlainFrame");
    if (compose == times.end() || copy == times.end()) {
      return;
    }
    const Times c = compose->second.mean();
    const Times p = copy->second.mean();
    std::printf("per frame: compose %.1f us, plain copy %.1f us (CPU: %.1f us, %.1f us)\n", c.real * 1e6,
                p.real * 1e6, c.cpu * 1e6, p.cpu * 1e6);
    std::printf("compose / plain copy = %.1f (CPU time: %.1f)\n", c.real / p.real, c.cpu / p.cpu);
  }

 private:
  struct Times {
    double real = 0;
    double cpu = 0;
    int runs = 0;
    Times mean() const { return {real / runs, cpu / runs, 1}; }
  };
  std::map<std::string, Times> singles_;
  std::map<std::string, Times> means_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  RatioReporter reporter(isatty(STDOUT_FILENO) ? RatioReporter::OO_ColorTabular
                                                : RatioReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
