// The session recorder: every event the message loop delivers, written with
// its moment as a headless script, so the session replays anywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host.hpp"

class SessionRecorder {
 public:
  // Receives each finished line, newline included, as soon as it is written.
  using LineSink = std::function<void(std::string_view line)>;

  // Starts the script with a comment saying how to replay it.
  explicit SessionRecorder(LineSink sink);
  // A recorder that writes to the file at `path` (replaced), flushing every
  // line so that a crash keeps what came before it. Null and `error` when the
  // file cannot be opened.
  static std::unique_ptr<SessionRecorder> toFile(const std::string& path, std::string& error);

  // Writes `wait` for the time since the last event, then the event's line.
  // Events a script cannot make (wakes) are left out, and so are focus
  // changes while the focus pause is off, since they then change nothing.
  void record(const HostEvent& event, uint64_t momentMs);
  // The moment of the last event written.
  uint64_t lastMomentMs() const { return lastMs_; }

 private:
  LineSink sink_;
  uint64_t lastMs_ = 0;
  std::string line_;
};

// The script line (without newline) that makes `event`; empty for an event no
// script line makes.
std::string scriptLineOf(const HostEvent& event);
