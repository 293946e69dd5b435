// A game window created on a host that records sounds, for driving the
// window's handlers directly: ticks are called by hand, random draws are
// scripted, and the settings file lives in a temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/silent_host.hpp"
#include "screen/game_window.hpp"
#include "screen/shared_images.hpp"

class RecordingHost : public SilentHost {
 public:
  void playSound(const std::string& path, bool loop) override;
  void announce(std::string_view text, AnnouncementPriority priority) override;
  // Web requests are kept, numbered from 1, for the test to answer; none
  // while `offline`.
  uint32_t sendWebRequest(const WebRequest& request) override;
  std::vector<WebRequest> takeRequests();
  bool offline = false;

  // Sound indices 1..8 played since the last call.
  std::vector<uint32_t> takeSounds();
  // Announcements since the last call, "assertive: " before an assertive one.
  std::vector<std::string> takeAnnouncements();

 private:
  std::vector<uint32_t> sounds_;
  std::vector<std::string> announcements_;
  std::vector<WebRequest> requests_;
  uint32_t requestsSent_ = 0;
};

class GameWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The game's next draws come out as `draws` (modulo 6), by the seed of its generator.
  void scriptDraws(const std::vector<int32_t>& draws);

  // The splash ends and the menu is up.
  void openMenu();
  // The continue command starts `level` from the settings record.
  void continueAt(int32_t level);
  // Taps that step the sprayer until its shot lands on `slot` (NoSlot: the
  // place left of the targets, over none).
  void aimAt(int32_t slot);
  // Fires and lets the shot fall until it is hidden.
  void fireAndLand();
  void shotTicks(int count);
  bool timerRunning(uint32_t timerId) const;
  // Sets every target's state as if a level had placed it.
  void setTargets(const std::vector<int32_t>& states);
  std::vector<int32_t> targets() const;
  void earnKeys(const std::vector<int32_t>& keys);

  RecordingHost host;
  SharedImages images;
  std::filesystem::path directory;
  std::unique_ptr<GameWindow> window;
};
