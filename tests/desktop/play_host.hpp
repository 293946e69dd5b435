// A host that plays a fixed list of steps on a virtual clock and allocates
// nothing while it runs, so that whatever a test counts is the game's own.
#pragma once

#include <cstdint>
#include <span>

#include "platform/host.hpp"

struct PlayStep {
  enum class Kind { Wait, Tap, Key, Command };
  Kind kind = Kind::Wait;
  uint32_t value = 0;  // Wait: milliseconds; Command: control id
  int32_t x = 0;       // Tap: position; Command: argument
  int32_t y = 0;
  MzKey key = MzKey::Unknown;
};

class PlayHost final : public Host {
 public:
  // The steps must outlive the host. After the last step the window closes.
  explicit PlayHost(std::span<const PlayStep> steps) : steps_(steps) {}

  uint64_t nowMs() override { return clockMs_; }
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override;
  void present(const Canvas&, const MzRect&) override { ++frames_; }
  void playSound(const std::string&, bool) override { ++sounds_; }
  void showWindow(bool) override {}
  void raiseWindow() override {}
  void wake() override {}

  // Index of the step about to be carried out.
  size_t position() const { return next_; }
  uint64_t frames() const { return frames_; }
  uint64_t sounds() const { return sounds_; }

 private:
  std::span<const PlayStep> steps_;
  size_t next_ = 0;
  uint64_t clockMs_ = 0;
  uint64_t waitUntilMs_ = 0;
  bool releasePending_ = false;
  int32_t releaseX_ = 0;
  int32_t releaseY_ = 0;
  uint64_t frames_ = 0;
  uint64_t sounds_ = 0;
};
