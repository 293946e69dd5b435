// The asset trace: distinct lines appended to the file named by the environment.
#include "platform/asset_trace.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "platform/system/utf.hpp"

namespace {

struct Trace {
  std::FILE* file = nullptr;
  std::unordered_set<std::string> written;

  Trace() {
    const char* path = std::getenv("QUANDREL_TRACE_ASSETS");
    if (path && *path) file = std::fopen(path, "a");
  }
  ~Trace() {
    if (file) std::fclose(file);
  }

  void write(std::string line) {
    if (!written.insert(line).second) return;
    line.push_back('\n');
    std::fputs(line.c_str(), file);
    std::fflush(file);
  }
};

Trace& trace() {
  static Trace state;
  return state;
}

}  // namespace

bool assetTraceEnabled() { return trace().file != nullptr; }

void traceText(std::u16string_view asked, std::u16string_view drawn) {
  if (!assetTraceEnabled()) return;
  trace().write("text\t" + utf8FromUtf16(asked) + "\t" + utf8FromUtf16(drawn));
}

void traceFile(std::u16string_view asked, std::u16string_view loaded) {
  if (!assetTraceEnabled()) return;
  trace().write("file\t" + utf8FromUtf16(asked) + "\t" + utf8FromUtf16(loaded));
}

void traceResource(uint32_t id, std::string_view language) {
  if (!assetTraceEnabled()) return;
  trace().write("resource\t" + std::to_string(id) + "\t" + std::string(language));
}
