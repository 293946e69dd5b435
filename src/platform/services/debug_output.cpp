// Debugger output on standard error, with a replaceable sink.
#include "platform/services/debug_output.hpp"

#include <cstdio>
#include <mutex>
#include <string_view>
#include <utility>

#include "platform/system/utf.hpp"

namespace services {
namespace {

std::mutex& sinkMutex() {
  static std::mutex mutex;
  return mutex;
}

DebugOutputSink& installedSink() {
  static DebugOutputSink sink;
  return sink;
}

}  // namespace

void OutputDebugStringW(const char16_t* text) {
  if (text == nullptr) return;
  std::u16string_view view(text);
  while (!view.empty() && (view.back() == u'\n' || view.back() == u'\r')) view.remove_suffix(1);
  const std::string line = utf8FromUtf16(view);

  std::lock_guard lock(sinkMutex());
  if (installedSink()) {
    installedSink()(line);
    return;
  }
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

DebugOutputSink setDebugOutputSink(DebugOutputSink sink) {
  std::lock_guard lock(sinkMutex());
  return std::exchange(installedSink(), std::move(sink));
}

}  // namespace services
