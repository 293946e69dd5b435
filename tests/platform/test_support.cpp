// Shared helpers of the platform tests.
#include "test_support.hpp"

#include <stb_image_write.h>

#include <unistd.h>

#include <atomic>
#include <vector>

#include "platform/canvas.hpp"
#include "platform/host.hpp"
#include "platform/message_loop.hpp"

Image solidImage(int32_t width, int32_t height, uint32_t rgba) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), rgba);
  return image;
}

ScratchDirectory::ScratchDirectory() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("quandrel-platform-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchDirectory::writePng(const std::string& name, int32_t width, int32_t height,
                                                 uint32_t straightRgba) const {
  const std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), straightRgba);
  const std::filesystem::path file = path_ / name;
  stbi_write_png(file.c_str(), width, height, 4, pixels.data(), width * 4);
  return file;
}

ScriptedHost::ScriptedHost(const std::string& script) : in_(script), host_(in_, out_, err_) {
  setCurrentHost(&host_);
}

ScriptedHost::~ScriptedHost() { setCurrentHost(nullptr); }

uint32_t frameColour(int32_t x, int32_t y) {
  const uint32_t pixel = currentFrame().pixel(x, y);
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}
