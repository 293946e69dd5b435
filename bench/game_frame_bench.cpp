// The game's own frames, on the real game window: a whole game-screen frame
// composed, and one 50 ms tick of a falling shot with only the rectangles it
// changed repainted, each next to a plain copy of a 480 x 720 RGBA frame in
// the same run. bench/run.sh reads the JSON report and gives the ratios.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "bench_host.hpp"
#include "platform/canvas.hpp"
#include "platform/message_loop.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

namespace {


// The game window on the game screen, level 1, as a player sees it after the
// splash and the start button.
class GameScreen {
 public:
  GameScreen() {
    setCurrentHost(&host_);
    window_ = std::make_unique<GameWindow>(images_, settingsPath().u16string());
    window_->Create(0, 0, Canvas::Width, Canvas::Height);
    window_->Show(true, true);
    window_->OnTimer(TimerId::splash);
    window_->handleCommand(ControlId::startGame, 0);
    paintIfDirty();
  }
  ~GameScreen() {
    window_.reset();
    setCurrentHost(nullptr);
    std::filesystem::remove(settingsPath());
  }
  GameWindow& window() { return *window_; }
  BenchHost& host() { return host_; }

 private:
  static std::filesystem::path settingsPath() {
    return std::filesystem::temp_directory_path() / "quandrel-game-frame-bench.ini";
  }
  BenchHost host_;
  SharedImages images_;
  std::unique_ptr<GameWindow> window_;
};

int64_t area(const DirtyRegion& region) {
  int64_t pixels = 0;
  for (const MzRect& r : region.rects()) pixels += static_cast<int64_t>(r.right - r.left) * (r.bottom - r.top);
  return pixels;
}

void BM_GameScreenFullFrame(benchmark::State& state) {
  GameScreen screen;
  for (auto _ : state) {
    screen.window().invalidateWhole();
    paintIfDirty();
    benchmark::ClobberMemory();
  }
  state.counters["frames"] = static_cast<double>(screen.host().frames());
}
BENCHMARK(BM_GameScreenFullFrame);

// One tick of timer 110 with a shot in the air: the shot moves, what it
// changed is invalidated and only that is composed. Between ticks, outside
// the measurement, a landed shot is followed by a new one, and a game that
// ended (every target spoiled, or the shots spent) starts afresh.
void BM_ShotTick(benchmark::State& state) {
  GameScreen screen;
  GameWindow& window = screen.window();
  int64_t repainted = 0;
  int64_t restarts = 0;
  for (auto _ : state) {
    if (!window.play.shotInFlight) {
      state.PauseTiming();
      if (window.play.gameOver || window.play.shotsLeft < 2) {
        window.handleCommand(ControlId::retryButton, 0);
        ++restarts;
      }
      window.handleCommand(ControlId::toolbar, ToolbarButton::fire);
      paintIfDirty();
      state.ResumeTiming();
    }
    screen.host().advance(TimerPeriod::shot);
    window.OnTimer(TimerId::shot);
    repainted += area(window.dirtyRegion());
    paintIfDirty();
    benchmark::ClobberMemory();
  }
  state.counters["repainted_px"] =
      benchmark::Counter(static_cast<double>(repainted), benchmark::Counter::kAvgIterations);
  state.counters["restarts"] = static_cast<double>(restarts);
  state.counters["shots"] = static_cast<double>(window.play.shotsLeft);
}
BENCHMARK(BM_ShotTick);


}  // namespace

BENCHMARK_MAIN();
