// Measures a simulated minute of play on the headless host: how many times
// faster than real time the game runs with every frame composed, next to the
// same run with composition off (the window never shown, so nothing is
// painted). Not a test: run it and read the figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_host.hpp"
#include "platform/message_loop.hpp"
#include "screen/game_window.hpp"

namespace {

constexpr int Runs = 5;
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

double secondsForOneRun(bool compose, const std::filesystem::path& settings) {
  std::istringstream script(minuteOfPlay());
  std::ostringstream out;
  std::ostringstream err;
  HeadlessHost host(script, out, err);
  setCurrentHost(&host);
  SharedImages images;
  GameWindow window(images, settings.u16string());
  const auto start = std::chrono::steady_clock::now();
  window.Create(0, 0, 480, 720);
  if (compose) window.Show(true, true);
  runMessageLoop();
  const auto stop = std::chrono::steady_clock::now();
  setCurrentHost(nullptr);
  if (window.shotsLeft != 50) std::fprintf(stderr, "the minute of play did not fire its 50 shots\n");
  return std::chrono::duration<double>(stop - start).count();
}

double medianSeconds(bool compose, const std::filesystem::path& settings) {
  std::vector<double> times;
  for (int run = 0; run < Runs; ++run) times.push_back(secondsForOneRun(compose, settings));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / "quandrel-play-minute-bench.ini";
  const double composed = medianSeconds(true, settings);
  const double bare = medianSeconds(false, settings);
  std::filesystem::remove(settings);
  std::printf("minute of play, frames composed:  %.4f s real, %.0fx real time\n", composed,
              VirtualSeconds / composed);
  std::printf("minute of play, composition off:  %.4f s real, %.0fx real time\n", bare,
              VirtualSeconds / bare);
  std::printf("composition costs %.2fx the bare run\n", composed / bare);
  return 0;
}
