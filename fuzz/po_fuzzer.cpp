// Feeds arbitrary bytes to the .po reader and checks what must always hold: a
// failure names its line and keeps nothing; a success keeps only entries with
// both texts, and writing those entries out again reads back the same table.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/language/po_reader.hpp"
#include "platform/system/utf.hpp"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

std::string quoted(std::u16string_view text) {
  std::string out = "\"";
  for (const char c : utf8FromUtf16(text)) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const PoCatalogue catalogue = readPoCatalogue(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!catalogue.ok()) {
    check(catalogue.error.starts_with("line "), "an error names its line");
    check(catalogue.translations.empty(), "a failed catalogue keeps nothing");
    return 0;
  }
  std::string written;
  for (const auto& [original, translation] : catalogue.translations) {
    check(!original.empty() && !translation.empty(), "only entries with both texts are kept");
    written += "msgid " + quoted(original) + "\nmsgstr " + quoted(translation) + "\n\n";
  }
  const PoCatalogue again = readPoCatalogue(written);
  check(again.ok(), "the written catalogue reads back");
  check(again.translations == catalogue.translations, "the written catalogue reads back the same");
  return 0;
}
