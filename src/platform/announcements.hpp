// Announcements: the short sentences in which the game tells what happens, for
// a player who plays by ear. The game words them; this is the one door they
// leave by: the host delivers them (a page's live regions, speech, a dump),
// and QUANDREL_ANNOUNCE_LOG=FILE appends each to FILE on every host.
#pragma once

#include <cstdint>
#include <string_view>

enum class AnnouncementPriority : uint8_t {
  Polite,     // read when the reader is free: the usual
  Assertive,  // read at once: time running out, the attempt lost, a question
};

// "polite" or "assertive", as the dump and the log name them.
const char* announcementPriorityName(AnnouncementPriority priority);

// Hands `text` (UTF-8) to the host and the log and remembers it. Allocates
// nothing once the log is open (the first announcement opens it).
void announce(std::string_view text, AnnouncementPriority priority);
// The last announcement's text, for the repeat key; empty before the first.
std::string_view lastAnnouncement();
AnnouncementPriority lastAnnouncementPriority();

// The Speech option: the host speaks the announcements itself (speech
// dispatcher, the browser's synthesis). Off until switched on.
void setSpeechEnabled(bool enabled);
bool speechEnabled();
