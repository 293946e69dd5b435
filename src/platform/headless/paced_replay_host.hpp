// Replay in a real window: a script's events come at their recorded moments,
// paced by the window host's clock, while the window shows the frames and
// plays the sounds. Closing the window ends the replay.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "platform/headless/headless_host.hpp"
#include "platform/host.hpp"

class PacedReplayHost final : public Host {
 public:
  // `window` shows the replay and must outlive this host; `script` is read as
  // the headless host reads it (its dumps go to `out`, errors to `err`).
  PacedReplayHost(Host& window, std::istream& script, std::ostream& out, std::ostream& err);

  // The script's clock: what the game sees is exactly what a headless replay
  // sees, however late the window lets the loop run.
  uint64_t nowMs() override { return script_.nowMs(); }
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override;
  void present(const Canvas& frame, const MzRect& dirty) override { window_.present(frame, dirty); }
  void playSound(const std::string& path, bool loop) override { window_.playSound(path, loop); }
  void prepareSound(const std::string& path) override { window_.prepareSound(path); }
  void playCue(const std::string& path, float pan) override { window_.playCue(path, pan); }
  // Recorded for the dumps and delivered by the window (speech).
  void announce(std::string_view text, AnnouncementPriority priority) override {
    script_.announce(text, priority);
    window_.announce(text, priority);
  }
  void showWindow(bool show) override { window_.showWindow(show); }
  void raiseWindow() override { window_.raiseWindow(); }
  void wake() override { window_.wake(); }

  bool failed() const { return script_.failed(); }

 private:
  Host& window_;
  HeadlessHost script_;
  uint64_t startMs_;                // the window's clock at the script's moment 0
  std::optional<HostEvent> held_;   // the script's next event, waiting for its moment
};
