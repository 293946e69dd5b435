// The single playing sound: copying, ending, looping and replacing.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/sdl/sound_voice.hpp"

namespace {

constexpr uint8_t Silence = 0x80;

std::vector<uint8_t> pull(SoundVoice& voice, size_t length) {
  std::vector<uint8_t> out(length, 0xEE);
  voice.fill(out.data(), out.size(), Silence);
  return out;
}

TEST(SoundVoice, IdleVoiceWritesSilence) {
  SoundVoice voice;
  EXPECT_FALSE(voice.playing());
  EXPECT_EQ(pull(voice, 4), (std::vector<uint8_t>{Silence, Silence, Silence, Silence}));
}

TEST(SoundVoice, PlaysOnceThenPadsWithSilenceAndStops) {
  const std::vector<uint8_t> sound{1, 2, 3, 4, 5};
  SoundVoice voice;
  voice.start(sound, false);
  EXPECT_TRUE(voice.playing());
  EXPECT_EQ(pull(voice, 3), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(voice.playing());
  EXPECT_EQ(pull(voice, 4), (std::vector<uint8_t>{4, 5, Silence, Silence}));
  EXPECT_FALSE(voice.playing());
  EXPECT_EQ(pull(voice, 2), (std::vector<uint8_t>{Silence, Silence}));
}

TEST(SoundVoice, LoopingSoundRepeatsAcrossBuffers) {
  const std::vector<uint8_t> sound{1, 2, 3};
  SoundVoice voice;
  voice.start(sound, true);
  EXPECT_EQ(pull(voice, 7), (std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 1}));
  EXPECT_EQ(pull(voice, 4), (std::vector<uint8_t>{2, 3, 1, 2}));
  EXPECT_TRUE(voice.playing());
}

TEST(SoundVoice, ANewSoundReplacesThePlayingOneFromItsStart) {
  const std::vector<uint8_t> music{9, 9, 9, 9};
  const std::vector<uint8_t> effect{1, 2};
  SoundVoice voice;
  voice.start(music, true);
  pull(voice, 3);
  voice.start(effect, false);
  // The music does not come back after the effect.
  EXPECT_EQ(pull(voice, 5), (std::vector<uint8_t>{1, 2, Silence, Silence, Silence}));
  EXPECT_FALSE(voice.playing());
}

TEST(SoundVoice, EmptySoundOrStopSilencesTheVoice) {
  const std::vector<uint8_t> music{7, 7};
  const std::vector<uint8_t> nothing;
  SoundVoice voice;
  voice.start(music, true);
  voice.start(nothing, true);
  EXPECT_FALSE(voice.playing());
  EXPECT_EQ(pull(voice, 2), (std::vector<uint8_t>{Silence, Silence}));

  voice.start(music, true);
  voice.stop();
  EXPECT_FALSE(voice.playing());
  EXPECT_EQ(pull(voice, 1), (std::vector<uint8_t>{Silence}));
}

}  // namespace

namespace {

// A cue over the playing sound: added frame by frame with each side's gain,
// clipped, and ended with its samples.
TEST(SoundVoice, CueIsMixedPannedAndClippedOverTheOutput) {
  const std::vector<int16_t> frames{1000, 1000, 30000, -30000};  // two stereo frames
  std::vector<uint8_t> bytes(frames.size() * sizeof(int16_t));
  std::memcpy(bytes.data(), frames.data(), bytes.size());
  SoundVoice cue;
  cue.start(bytes, false);
  std::vector<int16_t> out{100, 100, 10000, -10000, 7, 7};
  cue.mixStereo16(out.data(), 3, 1.0f, 0.5f);
  EXPECT_EQ(out, (std::vector<int16_t>{1100, 600, 32767, -25000, 7, 7}));
  EXPECT_FALSE(cue.playing());
}

}  // namespace
