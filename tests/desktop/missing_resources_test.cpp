// The game with resources missing from the executable: none at all, or every
// other one. Buttons without pictures show nothing; the game still plays
// through its screens and ends cleanly.
//
// This program brings its own compiledResources(), read from the resource
// folder at run time, so the linker leaves out the table built into the core.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_host.hpp"
#include "platform/message_loop.hpp"
#include "platform/resources.hpp"
#include "screen/control_ids.hpp"
#include "screen/game_window.hpp"

namespace {

namespace fs = std::filesystem;

struct LoadedResources {
  std::vector<std::vector<uint8_t>> bytes;
  std::vector<ResourceEntry> entries;
  ResourceTable table;
};

// Which resources the executable lacks in the running test.
enum class Missing { All, EveryOther };
Missing missing = Missing::All;

// The resources of assets/resources, every other one left out.
const ResourceTable& everyOtherResource() {
  static const LoadedResources loaded = [] {
    LoadedResources result;
    const char* source = std::getenv("QUANDREL_SOURCE_DIR");
    std::vector<std::pair<uint32_t, fs::path>> files;
    for (const auto& entry : fs::directory_iterator(fs::path(source ? source : ".") / "assets" / "resources")) {
      const std::string stem = entry.path().stem().string();
      if (entry.path().extension() == ".png" && stem.find_first_not_of("0123456789") == std::string::npos)
        files.emplace_back(static_cast<uint32_t>(std::stoul(stem)), entry.path());
    }
    std::sort(files.begin(), files.end());
    result.bytes.reserve(files.size());
    for (size_t i = 0; i < files.size(); i += 2) {
      std::ifstream in(files[i].second, std::ios::binary);
      result.bytes.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      result.entries.push_back({files[i].first, result.bytes.back().data(), result.bytes.back().size()});
    }
    result.table.entries = result.entries;
    return result;
  }();
  return loaded.table;
}

}  // namespace

const ResourceTable& compiledResources() {
  static const ResourceTable none{};
  return missing == Missing::All ? none : everyOtherResource();
}

namespace {

// Through the menu, the settings panel, a game with shots, repairs and
// purchases, back to the menu, and out through the exit question.
std::string tour() {
  std::ostringstream script;
  script << "wait 3000\n"
         << "command " << ControlId::options << "\n"
         << "command " << ControlId::soundToggle << "\n"
         << "command " << ControlId::settingsBack << "\n"
         << "command " << ControlId::startGame << "\n"
         << "key Space\nwait 1500\ntap 400 300\nkey Space\nwait 1500\n"
         << "key R\nkey B\ntap 240 690\ntap 60 690\n"
         << "dump\n"
         << "key Escape\n"
         << "command " << ControlId::exitGame << "\n"
         << "dump\n"
         << "answer yes\n";
  return script.str();
}

class MissingResources : public ::testing::TestWithParam<Missing> {};

TEST_P(MissingResources, TheGamePlaysThroughItsScreensAndEndsCleanly) {
  missing = GetParam();
  const fs::path settings = fs::temp_directory_path() / ("quandrel-missing-resources-" +
                                                         std::to_string(::getpid()) + ".ini");
  std::istringstream in(tour());
  std::ostringstream out;
  std::ostringstream err;
  HeadlessHost host(in, out, err);
  setCurrentHost(&host);
  int32_t exitCode = -1;
  {
    SharedImages images;
    GameWindow window(images, settings.u16string());
    ASSERT_TRUE(window.Create(0, 0, 480, 720));
    window.Show(true, true);
    exitCode = runMessageLoop();
    EXPECT_EQ(window.play.shotsLeft, 97) << "two shots by key, one by the toolbar\n" << out.str();
    EXPECT_FALSE(window.settings.isSound) << "the sound switch was toggled";
  }
  setCurrentHost(nullptr);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(err.str(), "");
  const std::string dumps = out.str();
  EXPECT_NE(dumps.find("\"screen\":\"game\""), std::string::npos) << dumps;
  EXPECT_NE(dumps.find("\"question\":{"), std::string::npos) << "the exit question was asked";
  EXPECT_TRUE(fs::exists(settings));
  fs::remove(settings);
}

INSTANTIATE_TEST_SUITE_P(NoneAndEveryOther, MissingResources, ::testing::Values(Missing::All, Missing::EveryOther));

}  // namespace
