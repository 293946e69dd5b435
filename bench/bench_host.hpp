// A host for measurements: a clock that moves only when told, frames counted
// and dropped, no input. The game runs on it in-process.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.hpp"

class BenchHost final : public Host {
 public:
  uint64_t nowMs() override { return nowMs_; }
  bool waitEvent(uint64_t deadlineMs, HostEvent&) override {
    nowMs_ = deadlineMs == UINT64_MAX ? nowMs_ : deadlineMs;
    return false;
  }
  void present(const Canvas&, const MzRect&) override { ++frames_; }
  void playSound(const std::string&, bool) override {}
  void showWindow(bool) override {}
  void raiseWindow() override {}
  void wake() override {}

  void advance(uint64_t ms) { nowMs_ += ms; }
  uint64_t frames() const { return frames_; }

 private:
  uint64_t nowMs_ = 0;
  uint64_t frames_ = 0;
};
