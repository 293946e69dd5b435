// Opening the audio device, decoding WAV files into its format, and feeding
// the playing sound to it.
#include "platform/sdl/sdl_audio.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/services/debug_output.hpp"
#include "platform/system/utf.hpp"

namespace {

// Decodes a WAV file and converts it to `target`'s format, rate and channels.
std::vector<uint8_t> loadConverted(const std::string& path, const SDL_AudioSpec& target) {
  std::vector<uint8_t> samples;
  SDL_AudioSpec source{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &source, &buffer, &length) == nullptr) {
    return samples;
  }
  // SDL_AudioCVT rather than SDL_AudioStream: the stream's flush drops the
  // last resampled block, cutting the end off short effects.
  SDL_AudioCVT conversion{};
  if (SDL_BuildAudioCVT(&conversion, source.format, source.channels, source.freq, target.format,
                        target.channels, target.freq) >= 0) {
    samples.resize(static_cast<size_t>(length) * static_cast<size_t>(conversion.len_mult));
    std::memcpy(samples.data(), buffer, length);
    conversion.buf = samples.data();
    conversion.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&conversion) == 0) {
      // Whole sample frames only, so a loop never shifts the channels.
      const size_t frameBytes = SDL_AUDIO_BITSIZE(target.format) / 8 * target.channels;
      const size_t converted = static_cast<size_t>(conversion.len_cvt);
      samples.resize(converted / frameBytes * frameBytes);
      samples.shrink_to_fit();
    } else {
      samples.clear();
    }
  }
  SDL_FreeWAV(buffer);
  return samples;
}

}  // namespace

namespace {

void report(const std::string& line) { services::OutputDebugStringW(utf16FromUtf8(line).c_str()); }

}  // namespace

SdlAudio::SdlAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    report(std::string("no audio (") + SDL_GetError() + "): playing without sound");
    return;
  }
  subsystemStarted_ = true;
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = 1024;
  wanted.callback = &SdlAudio::feed;
  wanted.userdata = this;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (device_ == 0) {
    report(std::string("no audio device (") + SDL_GetError() + "): playing without sound");
  }
}

SdlAudio::~SdlAudio() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
  }
  if (subsystemStarted_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

const std::vector<uint8_t>& SdlAudio::decoded(const std::string& path) {
  auto found = cache_.find(path);
  if (found == cache_.end()) {
    // Failures are kept too: a missing file is not looked for at every play.
    found = cache_.emplace(path, loadConverted(path, spec_)).first;
    if (found->second.empty() && !reportedMissing_) {
      reportedMissing_ = true;
      report("cannot play the sound " + path + " (" + SDL_GetError() +
             "); missing sounds play nothing (further ones are not reported)");
    }
  }
  return found->second;
}

void SdlAudio::prepare(const std::string& path) {
  if (device_ != 0) {
    decoded(path);
  }
}

void SdlAudio::play(const std::string& path, bool loop) {
  if (device_ == 0) {
    return;
  }
  // Elements of an unordered_map keep their address, so the voice may point
  // at the cached samples while other files are added.
  const std::vector<uint8_t>& samples = decoded(path);
  SDL_LockAudioDevice(device_);
  voice_.start(samples, loop);
  const bool nowPlaying = voice_.playing();
  SDL_UnlockAudioDevice(device_);
  if (nowPlaying && paused_) {
    SDL_PauseAudioDevice(device_, 0);
    paused_ = false;
  }
}

void SdlAudio::playCue(const std::string& path, float pan) {
  const bool stereo16 = spec_.format == AUDIO_S16SYS && spec_.channels == 2;
  if (device_ == 0 || !stereo16) {
    return;
  }
  const std::vector<uint8_t>& samples = decoded(path);
  // Constant power: as loud in the middle as at either side.
  const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * static_cast<float>(M_PI);
  SDL_LockAudioDevice(device_);
  cue_.start(samples, false);
  cueLeftGain_ = std::cos(angle);
  cueRightGain_ = std::sin(angle);
  const bool nowPlaying = cue_.playing();
  SDL_UnlockAudioDevice(device_);
  if (nowPlaying && paused_) {
    SDL_PauseAudioDevice(device_, 0);
    paused_ = false;
  }
}

bool SdlAudio::playing() {
  if (device_ == 0) {
    return false;
  }
  SDL_LockAudioDevice(device_);
  const bool result = voice_.playing() || cue_.playing();
  SDL_UnlockAudioDevice(device_);
  return result;
}

void SdlAudio::pauseWhenIdle() {
  if (device_ != 0 && !paused_ && !playing()) {
    SDL_PauseAudioDevice(device_, 1);
    paused_ = true;
  }
}

std::optional<uint64_t> SdlAudio::msUntilSilent() {
  if (device_ == 0 || paused_) {
    return std::nullopt;
  }
  SDL_LockAudioDevice(device_);
  const bool ending = !voice_.looping() && (voice_.playing() || cue_.playing());
  const size_t bytes = std::max(voice_.bytesLeft(), cue_.bytesLeft());
  SDL_UnlockAudioDevice(device_);
  if (!ending) {
    return std::nullopt;
  }
  const uint64_t frameBytes = static_cast<uint64_t>(spec_.channels) * (SDL_AUDIO_BITSIZE(spec_.format) / 8);
  const uint64_t bytesPerSecond = frameBytes * static_cast<uint64_t>(spec_.freq);
  // What is left, plus one device buffer still on its way out, rounded up.
  const uint64_t pending = bytes + frameBytes * spec_.samples;
  return bytesPerSecond == 0 ? 0 : (pending * 1000 + bytesPerSecond - 1) / bytesPerSecond;
}

void SDLCALL SdlAudio::feed(void* self, Uint8* stream, int length) {
  auto* audio = static_cast<SdlAudio*>(self);
  audio->voice_.fill(stream, static_cast<size_t>(length), audio->spec_.silence);
  if (audio->cue_.playing()) {
    const size_t frames = static_cast<size_t>(length) / (2 * sizeof(int16_t));
    audio->cue_.mixStereo16(reinterpret_cast<int16_t*>(stream), frames, audio->cueLeftGain_, audio->cueRightGain_);
  }
}
