// A host that hears, shows and plays nothing, on a clock its owner keeps (at
// 0 without one): the base of the hosts that stand in for one service, and a
// test's own clock.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.hpp"

class SilentHost : public Host {
 public:
  SilentHost() = default;
  explicit SilentHost(const uint64_t& clock) : clock_(&clock) {}
  uint64_t nowMs() override { return clock_ ? *clock_ : 0; }
  bool waitEvent(uint64_t, HostEvent&) override { return false; }
  void present(const Canvas&, const MzRect&) override {}
  void playSound(const std::string&, bool) override {}
  void showWindow(bool) override {}
  void raiseWindow() override {}
  void wake() override {}

 private:
  const uint64_t* clock_ = nullptr;
};
