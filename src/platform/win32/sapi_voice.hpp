// Speech on Windows: SAPI 5's voices, made with COM on the speech queue's
// thread. Each line is handed over asynchronously (SAPI speaks it on a thread
// of its own); a polite line purges the polite voice's line still being
// spoken, an assertive one goes to a second voice of alert priority, which
// interrupts the polite one and is never purged by it.
#pragma once

#include <memory>
#include <string>

#include "platform/speech_queue.hpp"

// A SAPI voice, speaking the game's language when the system has a voice for
// it (the system's default voice otherwise); null, with the reason in `why`,
// when COM or SAPI cannot give one.
std::unique_ptr<SpeechVoice> makeSapiVoice(std::string& why);
