// The headless host: a virtual clock that moves only when the script waits,
// input and commands from a script, frames written as PNG on request,
// sounds, vibration and announcements recorded instead of played, and real
// web requests whose replies are taken in at the script's next `wait`.
#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/headless/script.hpp"
#include "platform/host.hpp"
#include "platform/services/web_client.hpp"

class HeadlessHost : public Host {
 public:
  // Reads commands from `script`; `dump` writes to `out`, errors go to `err`;
  // `transfer` carries out web requests (tests give their own).
  HeadlessHost(std::istream& script, std::ostream& out, std::ostream& err,
               services::WebClient::Transfer transfer = services::transferWebRequest);

  uint64_t nowMs() override { return clockMs_; }
  // Carries out script lines until one makes an event or the clock reaches
  // the deadline. The end of the script, `quit` and an error make Close.
  bool waitEvent(uint64_t deadlineMs, HostEvent& event) override;
  void present(const Canvas& frame, const MzRect& dirty) override;
  void playSound(const std::string& path, bool loop) override;
  void pulse(HapticPulse pulse) override;
  void announce(std::string_view text, AnnouncementPriority priority) override;
  void showWindow(bool show) override { windowShown_ = show; }
  void raiseWindow() override {}
  void wake() override {}
  // A shared text is kept for the dump; the clipboard holds what the script's
  // `clipboard` command put there.
  ShareOutcome shareText(const std::string& text) override;
  std::string clipboardText() override { return clipboard_; }
  // Carried out at once off the game's thread (libcurl). The replies that
  // have arrived when the script next waits are delivered then, in the order
  // the requests were sent, before the clock moves.
  uint32_t sendWebRequest(const WebRequest& request) override;

  // A malformed line or a failed command ended the script (exit status 2).
  bool failed() const { return failed_; }
  uint64_t framesPresented() const { return framesPresented_; }
  bool windowShown() const { return windowShown_; }
  // The number of the sound looping now, if any (sound_numbers.hpp).
  std::optional<uint32_t> loopingSound() const { return looping_; }

 private:
  bool nextCommand(ScriptCommand& command);
  // Reports `what` for the current line and ends the script.
  void scriptError(const std::string& what);
  void dump();
  bool screenshot(const std::string& path);

  ScriptReader script_;
  std::ostream& out_;
  std::ostream& err_;
  uint64_t clockMs_ = 0;
  std::optional<uint64_t> waitUntilMs_;  // a wait in progress
  std::optional<HostEvent> pending_;     // the release of a tap
  bool ended_ = false;
  bool failed_ = false;
  bool windowShown_ = false;
  uint64_t framesPresented_ = 0;
  std::vector<uint32_t> soundsPlayed_;  // since the last dump
  std::vector<HapticPulse> pulsesAsked_;  // since the last dump
  std::vector<std::string> textsShared_;  // since the last dump
  std::string clipboard_;
  services::WebClient web_;
  std::deque<HostEvent> replies_;  // taken in at a wait, delivered before it goes on

  struct Announcement {
    std::string text;
    AnnouncementPriority priority;
  };
  std::vector<Announcement> announcements_;  // since the last dump
  std::optional<uint32_t> looping_;
  std::string json_;
};
