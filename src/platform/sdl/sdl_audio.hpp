// WAV playback through the default SDL audio device, one sound at a time
// (and a short panned cue over it).
// Each file is decoded and converted to the device's format once, then kept.
// Without an audio device every request is silently skipped.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sdl/sound_voice.hpp"

class SdlAudio {
 public:
  SdlAudio();
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  bool hasDevice() const { return device_ != 0; }
  // Starts the WAV file at `path` (UTF-8), stopping the sound playing; a file
  // that cannot be read or converted just stops it.
  void play(const std::string& path, bool loop);
  // Plays the WAV file at `path` once over the playing sound, which goes on,
  // placed from -1 (left) to 1 (right). Only on a 16-bit stereo device; a new
  // cue replaces the one playing.
  void playCue(const std::string& path, float pan);
  // Loads and converts the file now, so that its first play does not.
  void prepare(const std::string& path);
  // Whether a sound is still being fed to the device.
  bool playing();
  // Stops the device's callback while nothing plays, so an idle game costs
  // no audio work. Called before the host blocks for events.
  void pauseWhenIdle();
  // How long until the sound playing now has been heard to its end, when it
  // does not loop: the host wakes then to rest the device. Nothing when no
  // such sound plays.
  std::optional<uint64_t> msUntilSilent();
  // Whether the device's callback runs (for tests).
  bool deviceRunning() const { return device_ != 0 && !paused_; }

 private:
  // The file's samples in the device's format (empty when unusable).
  const std::vector<uint8_t>& decoded(const std::string& path);
  static void SDLCALL feed(void* self, Uint8* stream, int length);

  bool subsystemStarted_ = false;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec spec_{};
  bool paused_ = true;
  bool reportedMissing_ = false;
  std::unordered_map<std::string, std::vector<uint8_t>> cache_;
  SoundVoice voice_;  // shared with the audio thread under the device lock
  SoundVoice cue_;    // likewise
  float cueLeftGain_ = 1.0f;
  float cueRightGain_ = 1.0f;
};
