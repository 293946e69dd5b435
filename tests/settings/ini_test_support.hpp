// Temporary directories and UTF-16LE file bytes for the settings tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return directory; }
  // The full path of `name` inside the directory, as the system's string and as UTF-16.
  std::string file(const std::string& name) const { return directory + "/" + name; }
  std::u16string wideFile(const std::string& name) const;
  // The names in the directory, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string directory;
};

// The bytes of a UTF-16LE file: the mark FF FE, then the text.
Bytes iniBytes(std::u16string_view text);
// The bytes of a UTF-8 text.
inline Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);
bool fileExists(const std::string& path);
uint32_t permissionsOf(const std::string& path);

// Reads a value through IniReadString; "<none>" when it fails.
std::u16string readValue(const char16_t* section, const char16_t* key, const std::u16string& path);
