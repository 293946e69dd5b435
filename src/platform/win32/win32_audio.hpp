// WAV playback through Windows' wave-out functions (winmm), one sound at a time.
// Without an output device every call does nothing: the game plays silently.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class Win32Audio {
 public:
  Win32Audio() = default;
  ~Win32Audio();
  Win32Audio(const Win32Audio&) = delete;
  Win32Audio& operator=(const Win32Audio&) = delete;

  // Starts the WAV file at `path` (UTF-8), stopping the sound playing.
  void play(const std::string& path, bool loop);
  // Reads the file now, so that its first play does not.
  void prepare(const std::string& path);

 private:
  struct Sound {
    WAVEFORMATEX format{};
    std::vector<char> samples;
  };
  const Sound* load(const std::string& path);
  void stop();
  bool openDevice(const WAVEFORMATEX& format);

  std::map<std::string, std::unique_ptr<Sound>> sounds_;
  HWAVEOUT device_ = nullptr;
  WAVEFORMATEX deviceFormat_{};
  WAVEHDR header_{};
  bool headerPrepared_ = false;
};
