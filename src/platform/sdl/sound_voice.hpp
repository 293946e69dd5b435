// The one sound that plays at a time: a cursor into decoded samples that the
// audio callback copies out, repeating them when the sound loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SoundVoice {
 public:
  // Plays `samples` (already in the device's format) from their start,
  // replacing whatever was playing. The samples must outlive the voice's use
  // of them. Empty samples play nothing.
  void start(const std::vector<uint8_t>& samples, bool loop);
  void stop();
  bool playing() const { return samples_ != nullptr; }
  bool looping() const { return loop_; }
  // Bytes still to play of a sound that does not loop.
  size_t bytesLeft() const { return samples_ && !loop_ ? samples_->size() - position_ : 0; }

  // Writes the next `length` bytes of output: the sound, then `silence` once
  // a sound that does not loop has ended.
  void fill(uint8_t* out, size_t length, uint8_t silence);
  // Adds the next `frames` frames of a 16-bit stereo sound to `out` (16-bit
  // stereo), the left channel times `leftGain` and the right times
  // `rightGain`, clipped: a cue over the playing sound.
  void mixStereo16(int16_t* out, size_t frames, float leftGain, float rightGain);

 private:
  const std::vector<uint8_t>* samples_ = nullptr;
  size_t position_ = 0;
  bool loop_ = false;
};
