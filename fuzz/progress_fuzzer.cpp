// Feeds arbitrary bytes to the progress-file reader and checks that reader and writer agree:
// what the reader accepts, the writer writes as text that the reader reads to the same
// document, and writing that document again gives the same bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "progress/progress_file.hpp"

namespace {

constexpr int Version = 3;

bool sameDocument(const progress::ProgressDocument& a, const progress::ProgressDocument& b) {
  if (a.sections.size() != b.sections.size()) return false;
  for (size_t s = 0; s < a.sections.size(); ++s) {
    const auto& left = a.sections[s];
    const auto& right = b.sections[s];
    if (left.name != right.name || left.entries.size() != right.entries.size()) return false;
    for (size_t e = 0; e < left.entries.size(); ++e) {
      if (left.entries[e].key != right.entries[e].key || left.entries[e].value != right.entries[e].value) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  progress::ProgressDocument read;
  const progress::ParseResult result = progress::parseProgress(text, Version, read);
  if (result != progress::ParseResult::Read) {
    check(read.sections.empty(), "a refused text filled the document");
    return 0;
  }
  const std::string written = progress::formatProgress(read, Version);
  progress::ProgressDocument again;
  check(progress::parseProgress(written, Version, again) == progress::ParseResult::Read,
        "the reader refuses what the writer wrote");
  check(sameDocument(read, again), "the written text reads to another document");
  check(progress::formatProgress(again, Version) == written, "writing again gives other bytes");
  return 0;
}
