// Helpers shared by the platform tests: pictures made in memory, a scratch
// directory, and a headless host fed from a string.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "platform/headless/headless_host.hpp"
#include "platform/image.hpp"

// Two opaque colours the pointer and focus tests draw buttons in.
constexpr uint32_t Grey = packRgba(128, 128, 128, 255);
constexpr uint32_t Orange = packRgba(255, 128, 0, 255);

Image solidImage(int32_t width, int32_t height, uint32_t rgba);

// A fresh directory under the system's temporary directory, removed at the end.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  const std::filesystem::path& path() const { return path_; }
  // Writes `image` (straight, not premultiplied, alpha) as a PNG file there.
  std::filesystem::path writePng(const std::string& name, int32_t width, int32_t height, uint32_t straightRgba) const;

 private:
  std::filesystem::path path_;
};

// A headless host running `script`, installed as the current host while it lives.
class ScriptedHost {
 public:
  explicit ScriptedHost(const std::string& script);
  ~ScriptedHost();
  HeadlessHost& host() { return host_; }
  std::string output() const { return out_.str(); }
  std::string errors() const { return err_.str(); }

 private:
  std::istringstream in_;
  std::ostringstream out_;
  std::ostringstream err_;
  HeadlessHost host_;
};

// The pixel at (x, y) of the frame as 0xRRGGBB.
uint32_t frameColour(int32_t x, int32_t y);
