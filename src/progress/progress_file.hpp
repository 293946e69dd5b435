// The game's own small files (records, options), beside the settings file: UTF-8 text of
// "[section]" lines and "key=value" lines, whose first section "[format]" holds "version=N".
// A save writes the whole file to a temporary file in the same folder and renames it over the
// old one, so the file is never half-written. A file that cannot be used is set aside as
// "<name>.bad" and the game goes on with its defaults.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace progress {

// Sections and their keys in file order. Names and values are single lines of UTF-8.
class ProgressDocument {
 public:
  // The value of key in section, or null when there is none.
  const std::string* value(std::string_view section, std::string_view key) const;
  // Sets a value, adding the section and key at the end when new.
  void set(std::string_view section, std::string_view key, std::string_view value);

  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  std::vector<Section> sections;
};

// The file's text: "[format]", "version=<version>", then each section after a blank line,
// lines ending in "\n". The same document gives the same bytes on every host.
std::string formatProgress(const ProgressDocument& document, int version);

enum class ParseResult { Read, Damaged, Newer };
// Reads text written by formatProgress (also with CR LF line ends, a UTF-8 mark, blank lines
// and lines starting with '#' or ';'). Names and values are trimmed of blanks, and a carriage
// return inside a line reads as a space, so that what is read is written back as it was read;
// "[]" is the section without a name. Damaged: not UTF-8, a line of another shape, no
// "[format]" section first or no version of 1 or more. Newer: a version above `version`.
// The document is filled only on Read.
ParseResult parseProgress(std::string_view text, int version, ProgressDocument& document);

// A whole decimal number within [minimum, maximum] that is all of `text`.
bool wholeNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value);

// A section's values read by their owner: the value of `key` (null when there
// is none); a whole decimal number within [minimum, maximum]; a switch, 0 or 1.
// False for a value missing or of another shape.
const std::string* valueIn(const ProgressDocument::Section& section, std::string_view key);
bool numberIn(const ProgressDocument::Section& section, std::string_view key, int64_t minimum, int64_t maximum,
              int64_t& value);
bool switchIn(const ProgressDocument::Section& section, std::string_view key, bool& value);
// numberIn for a narrower field (int32_t, uint32_t), within its own type's range.
template <typename Number>
bool numberIn(const ProgressDocument::Section& section, std::string_view key, Number minimum, Number maximum,
              Number& value) {
  int64_t read = 0;
  if (!numberIn(section, key, int64_t{minimum}, int64_t{maximum}, read)) return false;
  value = static_cast<Number>(read);
  return true;
}

// Writes the document to `path` as a whole new file (see above), through the platform's file
// operations. False when any step fails; the old file is then left as it was.
bool saveProgressFile(const std::string& path, const ProgressDocument& document, int version);

enum class ReadResult { Missing, Read, Damaged, Newer, Unreadable };
// Reads `path` without changing anything on disk.
ReadResult readProgressFile(const std::string& path, int version, ProgressDocument& document);

// The file `fileName` ("quandrel-records.ini") in the folder of the settings file at settingsPath.
std::string progressFilePath(const std::string& settingsPath, std::string_view fileName);

// How a file's owner takes its values from a read document: it keeps them and answers true, or
// answers false, keeping nothing, when a value is unusable (out of range, not a number).
using SectionReader = std::function<bool(const ProgressDocument& document)>;

// Reads `path` as readProgressFile does and hands the document to `take`; Damaged when `take`
// refuses it. Nothing changes on disk. For example:
//   readProgressSections(path, 1, [&](const ProgressDocument& d) { return fromDocument(d, runs); });
ReadResult readProgressSections(const std::string& path, int version, const SectionReader& take);

// As readProgressSections, then a file that exists but cannot be used (damaged, refused by
// `take`, newer, unreadable) is set aside as loadProgressFile does, naming `what` ("records").
// True when `take` took the file's values; otherwise the caller keeps its defaults.
bool loadProgressSections(const std::string& path, int version, std::string_view what, const SectionReader& take);

// Reads `path`; a file that exists but cannot be used (damaged, from a newer version,
// unreadable) is renamed to "<path>.bad", replacing an older one, and one line on standard
// error says so, naming `what` ("records"). True when the document was read; false leaves it
// empty, for the caller's defaults.
bool loadProgressFile(const std::string& path, int version, std::string_view what, ProgressDocument& document);

// Sets a file aside as loadProgressFile does; for a caller that finds a read file's values
// unusable. `why` is Damaged, Newer or Unreadable.
void setAsideProgressFile(const std::string& path, ReadResult why, std::string_view what);

}  // namespace progress
