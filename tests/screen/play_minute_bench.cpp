// Measures a simulated minute of play on the headless host: how many times
// faster than real time the game runs with every frame composed, next to the
// same run with composition off (the window never shown, so nothing is
// painted). Wall-clock time and the thread's CPU time are both given: on a
// busy machine wall-clock time also counts waiting for a processor. The
// difference, the cost of composing, is also given in plain 480 x 720 frame
// copies measured in the same run, per minute and per repaint. Not a test:
// run it and read the figures.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/headless/headless_host.hpp"
#include "platform/message_loop.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr int Runs = 11;
constexpr double VirtualSeconds = 63.0;  // the 3 s splash, then a minute of play

// Start a game, then fire every 1.2 s while stepping the sprayer to and fro.
std::string minuteOfPlay() {
  std::string script = "wait 3000\ncommand 220\n";
  for (int shot = 0; shot < 50; ++shot) {
    script += (shot / 5) % 2 == 0 ? "tap 360 300\n" : "tap 120 300\n";
    script += "command 101 1\nwait 1200\n";
  }
  return script;
}

struct Seconds {
  double real = 0;
  double cpu = 0;
  uint64_t repaints = 0;
};

double threadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Seconds secondsForOneRun(bool compose, const std::filesystem::path& settings) {
  std::istringstream script(minuteOfPlay());
  std::ostringstream out;
  std::ostringstream err;
  HeadlessHost host(script, out, err);
  setCurrentHost(&host);
  SharedImages images;
  GameWindow window(images, settings.u16string());
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = threadCpuSeconds();
  window.Create(0, 0, 480, 720);
  if (compose) window.Show(true, true);
  runMessageLoop();
  const double cpuStop = threadCpuSeconds();
  const auto stop = std::chrono::steady_clock::now();
  setCurrentHost(nullptr);
  if (window.play.shotsLeft != 50) std::fprintf(stderr, "the minute of play did not fire its 50 shots\n");
  return {std::chrono::duration<double>(stop - start).count(), cpuStop - cpuStart, host.framesPresented()};
}

// CPU seconds of one plain copy of a whole frame, the median of batches.
double plainCopySeconds() {
  constexpr size_t Bytes = static_cast<size_t>(Canvas::Width) * Canvas::Height * 4;
  constexpr int Batches = 11;
  constexpr int CopiesPerBatch = 200;
  std::vector<unsigned char> source(Bytes, 0x5a);
  std::vector<unsigned char> target(Bytes);
  std::vector<double> perCopy;
  volatile unsigned char sink = 0;
  for (int batch = 0; batch < Batches; ++batch) {
    const double start = threadCpuSeconds();
    for (int copy = 0; copy < CopiesPerBatch; ++copy) {
      std::memcpy(target.data(), source.data(), Bytes);
      sink = target[static_cast<size_t>(copy) * 4099 % Bytes];
      source[static_cast<size_t>(copy) % Bytes] = sink;
    }
    perCopy.push_back((threadCpuSeconds() - start) / CopiesPerBatch);
  }
  std::sort(perCopy.begin(), perCopy.end());
  return perCopy[perCopy.size() / 2];
}

// Medians of wall-clock and of CPU time, each over the same runs.
Seconds medianSeconds(bool compose, const std::filesystem::path& settings) {
  std::vector<double> real;
  std::vector<double> cpu;
  for (int run = 0; run < Runs; ++run) {
    const Seconds one = secondsForOneRun(compose, settings);
    real.push_back(one.real);
    cpu.push_back(one.cpu);
  }
  std::sort(real.begin(), real.end());
  std::sort(cpu.begin(), cpu.end());
  // The same script gives the same frames every run.
  return {real[real.size() / 2], cpu[cpu.size() / 2], secondsForOneRun(compose, settings).repaints};
}

}  // namespace

int main() {
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / "quandrel-play-minute-bench.ini";
  const Seconds composed = medianSeconds(true, settings);
  const Seconds bare = medianSeconds(false, settings);
  const double copy = plainCopySeconds();
  std::filesystem::remove(settings);
  std::printf("minute of play, frames composed:  %.4f s real, %.0fx real time; %.4f s CPU, %.0fx\n", composed.real,
              VirtualSeconds / composed.real, composed.cpu, VirtualSeconds / composed.cpu);
  std::printf("minute of play, composition off:  %.4f s real, %.0fx real time; %.4f s CPU, %.0fx\n", bare.real,
              VirtualSeconds / bare.real, bare.cpu, VirtualSeconds / bare.cpu);
  std::printf("composition costs %.2fx the bare run (CPU time: %.2fx)\n", composed.real / bare.real,
              composed.cpu / bare.cpu);
  const double copies = (composed.cpu - bare.cpu) / copy;
  std::printf("composition: %.1f plain frame copies (one copy: %.1f us CPU) for %llu repaints, %.2f copies a repaint\n",
              copies, copy * 1e6, static_cast<unsigned long long>(composed.repaints),
              copies / static_cast<double>(composed.repaints));
  return 0;
}
