// WAV playback through SDL audio: the disk driver stands in for a sound card
// and records what reached the device; a missing driver means silence.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/sdl_audio.hpp"

namespace {

namespace fs = std::filesystem;

// A 16-bit mono WAV holding `frames` copies of `value` at `rate` Hz.
void writeWav(const fs::path& path, int rate, int frames, int16_t value) {
  const uint32_t dataBytes = static_cast<uint32_t>(frames) * 2;
  std::vector<uint8_t> bytes;
  auto put32 = [&bytes](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&bytes](uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto tag = [&bytes](const char* text) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(text[i]));
  };
  tag("RIFF");
  put32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(static_cast<uint32_t>(rate));
  put32(static_cast<uint32_t>(rate) * 2);
  put16(2);
  put16(16);
  tag("data");
  put32(dataBytes);
  for (int i = 0; i < frames; ++i) put16(static_cast<uint16_t>(value));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

class SdlAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quandrel-audio-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    output_ = dir_ / "device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    audio_ = std::make_unique<SdlAudio>();
    ASSERT_TRUE(audio_->hasDevice()) << SDL_GetError();
  }

  void TearDown() override {
    audio_.reset();
    fs::remove_all(dir_);
  }

  // Waits (boundedly) for the playing sound to reach its end.
  bool finishes() {
    for (int i = 0; i < 1000 && audio_->playing(); ++i) SDL_Delay(10);
    return !audio_->playing();
  }

  // Closes the device and returns the 16-bit stereo frames it received.
  std::vector<int16_t> recorded() {
    audio_.reset();
    std::ifstream in(output_, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
  }

  fs::path dir_;
  fs::path output_;
  std::unique_ptr<SdlAudio> audio_;
};

TEST_F(SdlAudioTest, PlaysAWavConvertedToTheDeviceFormat) {
  // 0.1 s at 22050 Hz mono must reach the 44100 Hz stereo device as 0.1 s.
  writeWav(dir_ / "tone.wav", 22050, 2205, 8000);
  audio_->play((dir_ / "tone.wav").string(), false);
  EXPECT_TRUE(audio_->playing());
  ASSERT_TRUE(finishes());
  const std::vector<int16_t> samples = recorded();
  size_t loud = 0;
  for (int16_t sample : samples) {
    if (sample > 7000 && sample < 9000) ++loud;
  }
  // 4410 stereo frames, give or take the resampler's edges.
  EXPECT_GT(loud, 2u * 4300);
  EXPECT_LT(loud, 2u * 4520);
}

TEST_F(SdlAudioTest, AFileIsDecodedOnceAndKept) {
  const fs::path file = dir_ / "once.wav";
  writeWav(file, 44100, 441, 1000);
  audio_->play(file.string(), false);
  ASSERT_TRUE(finishes());
  fs::remove(file);
  audio_->play(file.string(), false);
  EXPECT_TRUE(audio_->playing());
  EXPECT_TRUE(finishes());
}

TEST_F(SdlAudioTest, AMissingFilePlaysNothingAndStopsTheSoundPlaying) {
  writeWav(dir_ / "music.wav", 44100, 4410, 500);
  audio_->play((dir_ / "music.wav").string(), true);
  EXPECT_TRUE(audio_->playing());
  audio_->play((dir_ / "absent.wav").string(), false);
  EXPECT_FALSE(audio_->playing());
  std::ofstream(dir_ / "garbage.wav") << "not a wave file";
  audio_->play((dir_ / "garbage.wav").string(), false);
  EXPECT_FALSE(audio_->playing());
}

TEST_F(SdlAudioTest, LoopingSoundKeepsPlayingUntilReplaced) {
  writeWav(dir_ / "loop.wav", 44100, 100, 300);
  writeWav(dir_ / "short.wav", 44100, 100, 600);
  audio_->play((dir_ / "loop.wav").string(), true);
  SDL_Delay(100);  // many times the loop's length
  EXPECT_TRUE(audio_->playing());
  audio_->play((dir_ / "short.wav").string(), false);
  EXPECT_TRUE(finishes());
}

TEST_F(SdlAudioTest, PlaysAgainAfterTheIdleDeviceWasPaused) {
  writeWav(dir_ / "blip.wav", 44100, 441, 2000);
  audio_->play((dir_ / "blip.wav").string(), false);
  ASSERT_TRUE(finishes());
  audio_->pauseWhenIdle();
  audio_->play((dir_ / "blip.wav").string(), false);
  EXPECT_TRUE(finishes());
}

TEST(SdlAudioWithoutDevice, EveryRequestIsSilentlySkipped) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlAudio audio;
  EXPECT_FALSE(audio.hasDevice());
  audio.play("/nonexistent/sound.wav", true);
  EXPECT_FALSE(audio.playing());
  audio.pauseWhenIdle();
}

}  // namespace
