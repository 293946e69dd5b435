// Speech on the desktop: announcements spoken through speech-dispatcher's
// client library, opened at the first announcement to speak, so that the game
// builds, starts and runs without it (it then says so once on stderr). The
// library's calls wait for the server's replies, and a server can stall (a
// voice waiting for a sound card): they are made on a thread of their own, so
// the game never waits for speech.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/announcements.hpp"

class SpeechDispatcher {
 public:
  SpeechDispatcher();
  // Leaves the speaking thread to end with the process when it is stuck in
  // the server's reply.
  ~SpeechDispatcher();
  SpeechDispatcher(const SpeechDispatcher&) = delete;
  SpeechDispatcher& operator=(const SpeechDispatcher&) = delete;

  // Hands `text` (UTF-8) in `language` to the speaking thread. A polite
  // announcement not yet spoken gives way to a newer one, and the server cuts
  // a polite one short for a newer one (its "text" priority); an assertive one
  // is never dropped (its "important" priority).
  void speak(std::string_view text, AnnouncementPriority priority, const std::string& language);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};
