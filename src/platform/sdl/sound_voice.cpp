// Copies the playing sound into the audio device's buffer.
#include "platform/sdl/sound_voice.hpp"

#include <algorithm>
#include <cstring>

void SoundVoice::start(const std::vector<uint8_t>& samples, bool loop) {
  samples_ = samples.empty() ? nullptr : &samples;
  position_ = 0;
  loop_ = loop;
}

void SoundVoice::stop() {
  samples_ = nullptr;
  position_ = 0;
}

void SoundVoice::fill(uint8_t* out, size_t length, uint8_t silence) {
  while (length > 0 && samples_ != nullptr) {
    const size_t count = std::min(length, samples_->size() - position_);
    std::memcpy(out, samples_->data() + position_, count);
    out += count;
    length -= count;
    position_ += count;
    if (position_ == samples_->size()) {
      if (loop_) {
        position_ = 0;
      } else {
        stop();
      }
    }
  }
  std::memset(out, silence, length);
}

void SoundVoice::mixStereo16(int16_t* out, size_t frames, float leftGain, float rightGain) {
  constexpr size_t FrameBytes = 2 * sizeof(int16_t);
  while (frames > 0 && samples_ != nullptr) {
    const size_t available = (samples_->size() - position_) / FrameBytes;
    const size_t count = std::min(frames, available);
    for (size_t i = 0; i < 2 * count; ++i) {
      int16_t sample = 0;
      std::memcpy(&sample, samples_->data() + position_ + i * sizeof(int16_t), sizeof sample);
      const float gain = i % 2 == 0 ? leftGain : rightGain;
      const float mixed = static_cast<float>(out[i]) + gain * static_cast<float>(sample);
      out[i] = static_cast<int16_t>(std::clamp(mixed, -32768.0f, 32767.0f));
    }
    out += 2 * count;
    frames -= count;
    position_ += count * FrameBytes;
    if (count == 0 || position_ + FrameBytes > samples_->size()) stop();
  }
}
