// A claim's save of the records file next to the settings save, in the same
// folder and the same run: the records of all ten levels (the largest file a
// claim writes) against GameSettings::Save, each as the game does them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "progress/records_file.hpp"
#include "settings/game_settings.hpp"

namespace {

std::filesystem::path benchFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path made = std::filesystem::temp_directory_path() / ("quandrel-save-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return folder;
}

void BM_SettingsSave(benchmark::State& state) {
  GameSettings settings((benchFolder() / "quandrel.ini").u16string());
  int32_t level = 1;
  for (auto _ : state) {
    settings.level = level % LevelCount + 1;  // a changed level, as when a level is reached
    settings.Save();
    ++level;
  }
}

void BM_RecordsSaveAtClaim(benchmark::State& state) {
  const std::string path = recordsFilePath((benchFolder() / "quandrel.ini").string());
  LevelRecords records;
  for (int32_t level = FirstLevel; level <= LevelCount; ++level) {
    records.recordClaim(level, {1000 + level, 90, 120000, false, false});
  }
  int32_t claim = 0;
  for (auto _ : state) {
    records.recordClaim(claim % LevelCount + 1, {1500, 80, 100000, true, false});
    benchmark::DoNotOptimize(saveRecords(path, records));
    ++claim;
  }
}

BENCHMARK(BM_SettingsSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordsSaveAtClaim)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(benchFolder(), ignored);
  return 0;
}
