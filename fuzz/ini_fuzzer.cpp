// Feeds arbitrary file bytes and arguments to every INI operation and checks what must always
// hold: reads and failed writes change nothing, no temporary file is left behind, section names
// stay within their buffer and are written only where there is one, and a value set with
// well-formed text reads back as written.
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.hpp"
#include "platform/system/utf.hpp"
#include "settings/ini.hpp"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const FileNames[] = {"f.ini", "F.INI", "missing/f.ini", "f.txt"};

// One working directory for the whole run, on a memory file system when there is one;
// kept in a plain array so the exit handler can still use it after static destruction.
char workDirectory[64];

void removeWorkFiles() {
  for (const char* name : FileNames) unlink((std::string(workDirectory) + "/" + name).c_str());
}

void makeWorkDirectory() {
  std::snprintf(workDirectory, sizeof workDirectory, "%s/ini-fuzz-XXXXXX",
                access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
  check(mkdtemp(workDirectory) != nullptr, "mkdtemp");
  std::atexit([] {
    removeWorkFiles();
    rmdir(workDirectory);
  });
}

void writeBytes(const std::string& path, const Bytes& bytes) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  check(file >= 0, "open for setup");
  check(write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write for setup");
  close(file);
}

Bytes readBytes(const std::string& path) {
  Bytes bytes;
  const int file = open(path.c_str(), O_RDONLY);
  if (file < 0) return bytes;
  uint8_t chunk[4096];
  for (ssize_t got; (got = read(file, chunk, sizeof chunk)) > 0;) bytes.insert(bytes.end(), chunk, chunk + got);
  close(file);
  return bytes;
}

size_t entriesIn(const std::string& directory) {
  DIR* listing = opendir(directory.c_str());
  check(listing != nullptr, "opendir");
  size_t count = 0;
  while (dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") ++count;
  }
  closedir(listing);
  return count;
}

// Mostly one byte per unit, so the structural characters ([ ] = CR LF) come easily; a byte
// from 0xF0 up takes the next two bytes as a whole unit.
std::u16string takeText(FuzzedDataProvider& input, size_t maxLength) {
  std::u16string text;
  const size_t length = input.ConsumeIntegralInRange<size_t>(0, maxLength);
  while (text.size() < length && input.remaining_bytes() > 0) {
    const uint8_t byte = input.ConsumeIntegral<uint8_t>();
    text += byte < 0xF0 ? char16_t(byte) : input.ConsumeIntegral<char16_t>();
  }
  // The functions take NUL-terminated strings: what follows a NUL is not part of the argument.
  return text.substr(0, text.find(u'\0'));
}

bool wellFormed(const std::u16string& text) { return text.find_first_of(u"\r\n") == std::u16string::npos; }

// Files whose appended text is visible to the reader: no NUL in the text and whole code units.
bool appendsAreReadable(const Bytes& bytes) {
  if (bytes.size() % 2 != 0) return false;
  for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
    if (bytes[at] == 0 && bytes[at + 1] == 0) return false;
  }
  return true;
}

bool startsWithMark(const Bytes& bytes) { return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const auto nulls = input.ConsumeIntegral<uint8_t>();
  const std::u16string section = takeText(input, 40);
  const std::u16string key = takeText(input, 16);
  const std::u16string value = takeText(input, 16);
  const auto number = input.ConsumeIntegral<int32_t>();
  const auto index = input.ConsumeIntegralInRange<int32_t>(-2, 8);
  const auto capacity = input.ConsumeIntegralInRange<size_t>(0, 24);
  const std::string name = FileNames[input.ConsumeIntegralInRange<size_t>(0, 3)];
  const Bytes original = input.ConsumeRemainingBytes<uint8_t>();

  if (workDirectory[0] == 0) makeWorkDirectory();
  removeWorkFiles();
  const std::string directory = workDirectory;
  const std::string file = directory + "/" + name;
  const std::u16string widePath = utf16FromUtf8(file);
  const bool fileCanExist = name.find('/') == std::string::npos;
  const char16_t* path = (nulls & 1) ? nullptr : widePath.c_str();
  const char16_t* sectionArg = (nulls & 2) ? nullptr : section.c_str();
  const char16_t* keyArg = (nulls & 4) ? nullptr : key.c_str();
  const char16_t* valueArg = (nulls & 8) ? nullptr : value.c_str();

  auto reset = [&] {
    if (fileCanExist) writeBytes(file, original);
  };
  auto unchanged = [&] { return !fileCanExist || readBytes(file) == original; };
  auto noStrayFiles = [&] { check(entriesIn(directory) == (fileCanExist ? 1u : 0u), "temporary file left"); };

  // Reads change nothing.
  reset();
  char16_t* read = nullptr;
  if (IniReadString(sectionArg, keyArg, &read, path)) {
    check(read != nullptr, "read succeeded without a value");
    check(std::char_traits<char16_t>::length(read) <= original.size() / 2, "value longer than the file");
    delete[] read;
  }
  int32_t readNumber = 0;
  IniReadInt(sectionArg, keyArg, &readNumber, path);
  const int32_t count = IniCountSections(path);
  check(count >= 0 && static_cast<size_t>(count) <= original.size() / 2, "section count");
  IniHasSection(sectionArg, path);
  if ((nulls & 16) == 0) {
    // Filled with a mark, the unit just past the capacity serving as a canary.
    auto buffer = std::make_unique<char16_t[]>(capacity + 1);
    std::fill_n(buffer.get(), capacity + 1, u'#');
    IniSectionName(buffer.get(), capacity, index, path);
    check(buffer[capacity] == u'#', "section name written past its buffer");
    if (index < 0 || index >= count || capacity == 0) {
      check(std::all_of(buffer.get(), buffer.get() + capacity, [](char16_t unit) { return unit == u'#'; }),
            "section name written where there is no such section");
    } else {
      check(std::find(buffer.get(), buffer.get() + capacity, u'\0') != buffer.get() + capacity,
            "section name not terminated within its buffer");
    }
  }
  check(unchanged(), "a read changed the file");
  noStrayFiles();

  // Changes either succeed or leave the file as it was.
  // The searches resume after a rejected occurrence, so a name that can overlap the text just
  // before it on its own line is passed over: a key that begins with a blank (the two blanks
  // before it), and a section made only of "[" (its header's own opening bracket). Such names
  // are left out.
  const bool checkRoundTrip = path && sectionArg && keyArg && !section.empty() && !key.empty() &&
                              key[0] != u' ' && section.find_first_not_of(u'[') != std::u16string::npos &&
                              wellFormed(section) && wellFormed(key) &&
                              key.find(u'=') == std::u16string::npos && appendsAreReadable(original);
  reset();
  if (IniWriteString(sectionArg, keyArg, valueArg, path)) {
    check(startsWithMark(readBytes(file)), "a write left a file without its mark");
    if (checkRoundTrip && valueArg && wellFormed(value)) {
      char16_t* back = nullptr;
      check(IniReadString(sectionArg, keyArg, &back, path), "a value written cannot be read");
      check(back == value, "a value written reads back differently");
      delete[] back;
    }
  } else {
    check(unchanged(), "a failed write changed the file");
  }
  noStrayFiles();

  reset();
  if (IniWriteInt(sectionArg, keyArg, number, path)) {
    if (checkRoundTrip) {
      int32_t back = number ^ 1;
      check(IniReadInt(sectionArg, keyArg, &back, path) && back == number, "a number written reads back differently");
    }
  } else {
    check(unchanged(), "a failed number write changed the file");
  }
  noStrayFiles();

  reset();
  if (IniEnsureFile(path)) {
    const Bytes now = readBytes(file);
    check(startsWithMark(now), "ensured file without its mark");
    check(now == original || now.size() == 2, "an ensured file was changed beyond its replacement");
  } else {
    check(unchanged(), "a failed ensure changed the file");
  }
  noStrayFiles();
  return 0;
}
