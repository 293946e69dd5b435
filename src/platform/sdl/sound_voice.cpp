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
