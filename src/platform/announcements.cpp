// The announcement door: the remembered last sentence, the log file and the
// host.
#include "platform/announcements.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host.hpp"
#include "platform/message_loop.hpp"

namespace {

// Longer sentences are cut here (at a character's start); the longest
// catalogue sentence with its numbers stays well below.
constexpr size_t LastCapacity = 4096;
char lastText[LastCapacity];
size_t lastLength = 0;
AnnouncementPriority lastPriority = AnnouncementPriority::Polite;

bool speech = false;

// The log named by QUANDREL_ANNOUNCE_LOG, opened at the first announcement;
// null when none is asked for or it cannot be opened (said once).
FILE* announceLog() {
  static bool opened = false;
  static FILE* log = nullptr;
  if (opened) return log;
  opened = true;
  const char* path = std::getenv("QUANDREL_ANNOUNCE_LOG");
  if (path == nullptr || *path == '\0') return nullptr;
  log = std::fopen(path, "a");
  if (log == nullptr) std::fprintf(stderr, "quandrel: cannot open the announcement log %s\n", path);
  return log;
}

}  // namespace

const char* announcementPriorityName(AnnouncementPriority priority) {
  return priority == AnnouncementPriority::Assertive ? "assertive" : "polite";
}

void announce(std::string_view text, AnnouncementPriority priority) {
  if (text.empty()) return;
  if (text.data() != lastText) {
    lastLength = std::min(text.size(), LastCapacity);
    while (lastLength < text.size() && lastLength > 0 && (static_cast<uint8_t>(text[lastLength]) & 0xC0) == 0x80) {
      --lastLength;
    }
    std::memcpy(lastText, text.data(), lastLength);
  }
  lastPriority = priority;
  if (FILE* log = announceLog()) {
    std::fprintf(log, "%llu\t%s\t%.*s\n", static_cast<unsigned long long>(loopNowMs()),
                 announcementPriorityName(priority), static_cast<int>(text.size()), text.data());
    std::fflush(log);
  }
  if (Host* host = currentHost()) host->announce(text, priority);
}

std::string_view lastAnnouncement() { return {lastText, lastLength}; }

AnnouncementPriority lastAnnouncementPriority() { return lastPriority; }

void setSpeechEnabled(bool enabled) { speech = enabled; }

bool speechEnabled() { return speech; }
