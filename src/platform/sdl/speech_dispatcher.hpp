// Speech on the Linux desktop: speech-dispatcher's client library, opened at
// the first line to speak, so that the game builds, starts and runs without
// it. Its calls wait for the server's replies; the speech queue makes them on
// its own thread.
#pragma once

#include <memory>
#include <string>

#include "platform/speech_queue.hpp"

// A connection to speech-dispatcher; null, with the reason in `why`, when the
// library or the server cannot be had. A polite line is the server's "text"
// priority (a newer one cuts it short), an assertive one its "important".
std::unique_ptr<SpeechVoice> makeSpeechDispatcherVoice(std::string& why);
