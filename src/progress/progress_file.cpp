// The game's own files: their text, and saving and reading them through the platform's file
// operations.
#include "progress/progress_file.hpp"

#include <charconv>
#include <cstdint>

#include "platform/services/debug_output.hpp"
#include "platform/system/file_system.hpp"
#include "platform/system/utf.hpp"
#include "settings/ini_file.hpp"
#include "text/trimmed.hpp"

namespace progress {

namespace {

constexpr std::string_view FormatSection = "format";
constexpr std::string_view VersionKey = "version";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
// Far above what the game writes (the daily file grows by about a kilobyte a
// day played, so decades fit); a larger file is not one of ours.
constexpr uint64_t MaxFileBytes = 8 * 1024 * 1024;

// A line must not break the file's shape: line breaks become spaces.
std::string oneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

bool validUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    size_t length = 0;
    uint32_t code = 0;
    uint32_t least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

void report(const std::string& line) {
  services::OutputDebugStringW(utf16FromUtf8("quandrel: " + line).c_str());
}

const char* reason(ReadResult why) {
  switch (why) {
    case ReadResult::Newer: return "was written by a newer version of the game";
    case ReadResult::Unreadable: return "cannot be read";
    default: return "is damaged";
  }
}

}  // namespace

const std::string* ProgressDocument::value(std::string_view section, std::string_view key) const {
  for (const Section& s : sections) {
    if (s.name != section) continue;
    for (const Entry& entry : s.entries) {
      if (entry.key == key) return &entry.value;
    }
  }
  return nullptr;
}

void ProgressDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  // Names are compared as they will be written, so two spellings never become two lines.
  const std::string sectionName = oneLine(section);
  const std::string keyName = oneLine(key);
  Section* target = nullptr;
  for (Section& s : sections) {
    if (s.name == sectionName) target = &s;
  }
  if (target == nullptr) target = &sections.emplace_back(Section{sectionName, {}});
  for (Entry& entry : target->entries) {
    if (entry.key == keyName) {
      entry.value = oneLine(value);
      return;
    }
  }
  target->entries.push_back(Entry{keyName, oneLine(value)});
}

std::string formatProgress(const ProgressDocument& document, int version) {
  std::string text = "[" + std::string(FormatSection) + "]\n" + std::string(VersionKey) + "=" +
                     std::to_string(version) + "\n";
  for (const ProgressDocument::Section& section : document.sections) {
    if (section.name == FormatSection) continue;
    text += "\n[" + oneLine(section.name) + "]\n";
    for (const ProgressDocument::Entry& entry : section.entries) text += entry.key + "=" + entry.value + "\n";
  }
  return text;
}

ParseResult parseProgress(std::string_view text, int version, ProgressDocument& document) {
  if (text.starts_with(Utf8Mark)) text.remove_prefix(Utf8Mark.size());
  if (!validUtf8(text)) return ParseResult::Damaged;
  ProgressDocument read;
  std::string section;
  bool sectionSeen = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view rawLine = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (rawLine.ends_with('\r')) rawLine.remove_suffix(1);
    // A carriage return inside a line reads as the space the writer would put there.
    const std::string spaced = oneLine(rawLine);
    const std::string_view line = trimmed(spaced, SpacesAndTabs);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    if (line.front() == '[') {
      // "[]" and "[ ]" both name the section without a name, which the writer writes as "[]".
      if (line.back() != ']') return ParseResult::Damaged;
      section = trimmed(line.substr(1, line.size() - 2), SpacesAndTabs);
      // The version comes first, so that a newer file is known before its contents are judged.
      if (!sectionSeen && section != FormatSection) return ParseResult::Damaged;
      sectionSeen = true;
      continue;
    }
    const size_t equals = line.find('=');
    if (!sectionSeen || equals == std::string_view::npos || equals == 0) return ParseResult::Damaged;
    read.set(section, trimmed(line.substr(0, equals), SpacesAndTabs),
             trimmed(line.substr(equals + 1), SpacesAndTabs));
  }
  const std::string* stored = read.value(FormatSection, VersionKey);
  int storedVersion = 0;
  if (stored == nullptr) return ParseResult::Damaged;
  const char* last = stored->data() + stored->size();
  const auto [stop, failure] = std::from_chars(stored->data(), last, storedVersion);
  if (failure != std::errc() || stop != last || storedVersion < 1) return ParseResult::Damaged;
  if (storedVersion > version) return ParseResult::Newer;
  std::erase_if(read.sections, [](const ProgressDocument::Section& s) { return s.name == FormatSection; });
  document = std::move(read);
  return ParseResult::Read;
}

bool saveProgressFile(const std::string& path, const ProgressDocument& document, int version) {
  const std::string text = formatProgress(document, version);
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  // A player who made the file read-only for others keeps that.
  const bool exists = fileSystem().lookup(path) == PathKind::File;
  return ini::replaceFile(path, bytes, exists);
}

ReadResult readProgressFile(const std::string& path, int version, ProgressDocument& document) {
  FileSystem& files = fileSystem();
  const PathKind kind = files.lookup(path);
  if (kind == PathKind::Missing) return ReadResult::Missing;
  if (kind != PathKind::File) return ReadResult::Unreadable;
  const int file = files.open(path, FileAccess::Read);
  if (file < 0) return ReadResult::Unreadable;
  uint64_t size = 0;
  std::string text;
  bool read = files.size(file, size);
  const bool tooLarge = read && size > MaxFileBytes;
  if (read && !tooLarge) {
    text.resize(static_cast<size_t>(size));
    read = files.read(file, text.data(), text.size());
  }
  // Nothing was written through this handle, so a failing close loses nothing.
  files.close(file);
  if (tooLarge) return ReadResult::Damaged;
  if (!read) return ReadResult::Unreadable;
  switch (parseProgress(text, version, document)) {
    case ParseResult::Read: return ReadResult::Read;
    case ParseResult::Newer: return ReadResult::Newer;
    case ParseResult::Damaged: break;
  }
  return ReadResult::Damaged;
}

std::string progressFilePath(const std::string& settingsPath, std::string_view fileName) {
  const size_t slash = settingsPath.rfind('/');
  return (slash == std::string::npos ? std::string() : settingsPath.substr(0, slash + 1)) + std::string(fileName);
}

ReadResult readProgressSections(const std::string& path, int version, const SectionReader& take) {
  ProgressDocument document;
  const ReadResult result = readProgressFile(path, version, document);
  if (result != ReadResult::Read) return result;
  return take(document) ? result : ReadResult::Damaged;
}

const std::string* valueIn(const ProgressDocument::Section& section, std::string_view key) {
  for (const ProgressDocument::Entry& entry : section.entries) {
    if (entry.key == key) return &entry.value;
  }
  return nullptr;
}

bool wholeNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value) {
  const char* end = text.data() + text.size();
  int64_t read = 0;
  const auto [stop, failure] = std::from_chars(text.data(), end, read);
  if (failure != std::errc() || stop != end || read < minimum || read > maximum) return false;
  value = read;
  return true;
}

bool numberIn(const ProgressDocument::Section& section, std::string_view key, int64_t minimum, int64_t maximum,
              int64_t& value) {
  const std::string* text = valueIn(section, key);
  return text != nullptr && wholeNumber(*text, minimum, maximum, value);
}

bool switchIn(const ProgressDocument::Section& section, std::string_view key, bool& value) {
  int64_t number = 0;
  if (!numberIn(section, key, 0, 1, number)) return false;
  value = number == 1;
  return true;
}

bool loadProgressSections(const std::string& path, int version, std::string_view what, const SectionReader& take) {
  const ReadResult result = readProgressSections(path, version, take);
  if (result == ReadResult::Read) return true;
  if (result != ReadResult::Missing) setAsideProgressFile(path, result, what);
  return false;
}

bool loadProgressFile(const std::string& path, int version, std::string_view what, ProgressDocument& document) {
  return loadProgressSections(path, version, what, [&document](const ProgressDocument& read) {
    document = read;
    return true;
  });
}

void setAsideProgressFile(const std::string& path, ReadResult why, std::string_view what) {
  const std::string aside = path + ".bad";
  // rename replaces an older .bad in the same step.
  if (fileSystem().rename(path, aside)) {
    report(path + " " + reason(why) + "; it was kept as " + aside + " and the game starts with empty " +
           std::string(what));
  } else {
    report(path + " " + reason(why) + " and could not be set aside; the game starts with empty " +
           std::string(what) + " and will replace it at the next save");
  }
}

}  // namespace progress
