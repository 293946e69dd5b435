// Debugger output: each text becomes one UTF-8 line on standard error, or goes to a sink
// installed by tests that want to see it.
#pragma once

#include <functional>
#include <string>

namespace services {

// Writes text as one line; a line break that ends the text is not doubled. A null text
// writes nothing. Safe to call from any thread.
void OutputDebugStringW(const char16_t* text);

// Receives each line as UTF-8 without its line break.
using DebugOutputSink = std::function<void(const std::string& line)>;

// Sends later lines to sink instead of standard error; an empty sink restores standard
// error. Returns the sink that was installed before.
DebugOutputSink setDebugOutputSink(DebugOutputSink sink);

}  // namespace services
