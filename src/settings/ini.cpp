// The public INI operations: argument checks, then a search or an edit of the file's text.
#include "settings/ini.hpp"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/utf.hpp"
#include "settings/ini_edit.hpp"
#include "settings/ini_file.hpp"
#include "settings/ini_text.hpp"

namespace {

bool isEmpty(const char16_t* text) { return text == nullptr || *text == 0; }

std::string systemPath(const char16_t* path) { return utf8FromUtf16(path); }

bool hasIniExtension(std::u16string_view path) {
  const size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos || path.size() - dot != 4) return false;
  const std::u16string_view extension = path.substr(dot);
  constexpr std::u16string_view Upper = u".INI";
  for (size_t i = 0; i < Upper.size(); ++i) {
    const char16_t unit = extension[i];
    const char16_t upper = unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
    if (upper != Upper[i]) return false;
  }
  return true;
}

}  // namespace

bool IniEnsureFile(const char16_t* path) {
  if (path == nullptr) return false;
  const std::u16string_view full(path);
  if (full.size() <= 4 || !hasIniExtension(full)) return false;
  const size_t slash = full.rfind(u'/');
  if (slash == std::u16string_view::npos) return false;
  FileSystem& files = fileSystem();
  const std::u16string_view directory = full.substr(0, slash);
  if (!directory.empty() && files.lookup(utf8FromUtf16(directory)) != PathKind::Directory) return false;

  const std::string file = systemPath(path);
  const PathKind kind = files.lookup(file);
  if (kind == PathKind::Unknown) return false;
  if (kind == PathKind::File) {
    files.clearReadOnly(file);
    // A file that cannot be read just now may still hold good settings: leave it alone.
    const ini::Mark mark = ini::markOf(file);
    if (mark != ini::Mark::Absent) return mark == ini::Mark::Present;
  }
  return ini::replaceFile(file, {0xFF, 0xFE}, kind != PathKind::Missing);
}

bool IniReadString(const char16_t* section, const char16_t* key, char16_t** value, const char16_t* path) {
  if (isEmpty(section) || isEmpty(key) || value == nullptr || path == nullptr) return false;
  const auto bytes = ini::loadFile(systemPath(path), FileAccess::Read);
  if (!bytes) return false;
  const std::u16string text = ini::textOf(*bytes);
  const auto found = ini::findSection(text, section);
  if (!found) return false;
  const std::u16string_view keyText(key);
  const auto keyAt = ini::findKey(text, *found, keyText);
  if (!keyAt) return false;

  const ini::ValueSpan span = ini::valueOf(text, *keyAt, keyText.size());
  const size_t length = span.end - span.begin;
  auto* copy = new (std::nothrow) char16_t[length + 1]();
  *value = copy;
  if (copy == nullptr) return false;
  text.copy(copy, length, span.begin);
  return true;
}

bool IniReadInt(const char16_t* section, const char16_t* key, int32_t* value, const char16_t* path) {
  char16_t* text = nullptr;
  if (value == nullptr || !IniReadString(section, key, &text, path)) return false;
  *value = ini::parseDecimal(text);
  delete[] text;
  return true;
}

bool IniWriteString(const char16_t* section, const char16_t* key, const char16_t* value, const char16_t* path) {
  // An empty key would match anywhere; it names nothing that could be read back.
  if (isEmpty(section) || path == nullptr || (key != nullptr && *key == 0)) return false;
  const std::string file = systemPath(path);
  const auto bytes = ini::loadFile(file, FileAccess::ReadWrite);
  if (!bytes) return false;
  const std::u16string text = ini::textOf(*bytes);

  std::optional<std::vector<uint8_t>> changed;
  if (key == nullptr) {
    changed = ini::withoutSection(text, section);
  } else if (value == nullptr) {
    changed = ini::withoutKey(text, section, key);
  } else {
    changed = ini::withValue(*bytes, text, section, key, value);
  }
  return !changed || ini::replaceFile(file, *changed, true);
}

bool IniWriteInt(const char16_t* section, const char16_t* key, int32_t value, const char16_t* path) {
  const std::string digits = std::to_string(value);
  const std::u16string number(digits.begin(), digits.end());
  return IniWriteString(section, key, number.c_str(), path);
}

int32_t IniCountSections(const char16_t* path) {
  if (path == nullptr) return 0;
  const auto bytes = ini::loadFile(systemPath(path), FileAccess::ReadWrite);
  if (!bytes) return 0;
  return static_cast<int32_t>(ini::headerNames(ini::textOf(*bytes)).size());
}

void IniSectionName(char16_t* buffer, size_t capacity, int32_t index, const char16_t* path) {
  // Nothing is written unless there is a name to copy, so "no such section" stays apart from "[]".
  if (buffer == nullptr || capacity == 0 || path == nullptr || index < 0) return;
  const auto bytes = ini::loadFile(systemPath(path), FileAccess::ReadWrite);
  if (!bytes) return;
  const std::u16string text = ini::textOf(*bytes);
  const auto names = ini::headerNames(text);
  if (static_cast<size_t>(index) >= names.size()) return;

  std::u16string_view name = names[static_cast<size_t>(index)];
  size_t length = std::min(name.size(), capacity - 1);
  // Never keep the first half of a surrogate pair whose second half was cut off.
  if (length < name.size() && length > 0 && name[length - 1] >= 0xD800 && name[length - 1] <= 0xDBFF) --length;
  name.copy(buffer, length);
  buffer[length] = 0;
}

bool IniHasSection(const char16_t* section, const char16_t* path) {
  if (isEmpty(section) || path == nullptr) return false;
  const auto bytes = ini::loadFile(systemPath(path), FileAccess::ReadWrite);
  return bytes && ini::hasHeaderLine(ini::textOf(*bytes), section);
}
