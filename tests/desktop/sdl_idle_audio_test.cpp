// The window host rests the audio device once a sound has been heard to its
// end, even when nothing else wakes the loop; a looping tune keeps it going.
// SDL's dummy drivers stand in for the display and the sound card.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../e2e_sdl/dummy_sdl_host.hpp"

namespace {

namespace fs = std::filesystem;

// A 16-bit mono WAV of `ms` milliseconds of a quiet tone at 22050 Hz.
void writeWav(const fs::path& path, int ms) {
  constexpr uint32_t Rate = 22050;
  const uint32_t frames = Rate * static_cast<uint32_t>(ms) / 1000;
  std::vector<uint8_t> bytes;
  auto put = [&bytes](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  auto tag = [&bytes](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
  tag("RIFF");
  put(36 + frames * 2, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(Rate, 4);
  put(Rate * 2, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(frames * 2, 4);
  for (uint32_t i = 0; i < frames; ++i) put(i % 50 < 25 ? 1000 : static_cast<uint32_t>(-1000), 2);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

class SdlIdleAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    host_ = openDummySdlHost(error);
    ASSERT_NE(host_, nullptr) << error;
    if (!host_->audio().hasDevice()) GTEST_SKIP() << "SDL's dummy audio driver opened no device";
    writeWav(wav_, 80);
  }
  void TearDown() override { fs::remove(wav_); }

  // Waits in the host as the message loop does when nothing is due.
  void waitQuietly(uint64_t ms) {
    HostEvent event;
    const uint64_t deadline = host_->nowMs() + ms;
    while (host_->waitEvent(deadline, event)) {
    }
  }

  fs::path wav_ = fs::temp_directory_path() / ("quandrel-idle-audio-" + std::to_string(getpid()) + ".wav");
  std::unique_ptr<SdlWindowHost> host_;
};

TEST_F(SdlIdleAudio, TheDeviceRestsOnceAShortSoundHasEnded) {
  host_->playSound(wav_.string(), false);
  EXPECT_TRUE(host_->audio().deviceRunning());
  const auto silentIn = host_->audio().msUntilSilent();
  ASSERT_TRUE(silentIn.has_value());
  EXPECT_GE(*silentIn, 80u);
  EXPECT_LT(*silentIn, 1000u);
  waitQuietly(1500);
  EXPECT_FALSE(host_->audio().deviceRunning()) << "one wait, no events, and the device rests";
  EXPECT_FALSE(host_->audio().msUntilSilent().has_value());
}

TEST_F(SdlIdleAudio, ALoopingSoundKeepsTheDeviceGoing) {
  host_->playSound(wav_.string(), true);
  EXPECT_FALSE(host_->audio().msUntilSilent().has_value()) << "a loop never ends by itself";
  waitQuietly(400);
  EXPECT_TRUE(host_->audio().deviceRunning());
}

}  // namespace
