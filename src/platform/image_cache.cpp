// Decode-once picture store keyed by file path and by resource.
#include "platform/image_cache.hpp"

#include <cstdint>
#include <vector>

#include "platform/host.hpp"
#include "platform/services/debug_output.hpp"
#include "platform/system/file_system.hpp"
#include "platform/system/utf.hpp"

namespace {

// Larger files are not pictures this program shows; refusing them keeps a
// stray huge file from exhausting memory.
constexpr uint64_t MaxImageFileBytes = 64u << 20;

// Reads a whole file; false when it cannot be opened or read.
bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
  FileSystem& files = fileSystem();
  const int file = files.open(path, FileAccess::Read);
  if (file < 0) return false;
  uint64_t size = 0;
  bool ok = files.size(file, size) && size > 0 && size <= MaxImageFileBytes;
  if (ok) {
    bytes.resize(static_cast<size_t>(size));
    ok = files.read(file, bytes.data(), bytes.size());
  }
  files.close(file);
  return ok;
}

}  // namespace

const Image* ImageCache::fromFile(std::u16string_view path, bool reportMissing) {
  if (auto found = files_.find(path); found != files_.end()) return found->second.get();
  const Image* image = files_.emplace(std::u16string(path), decodeFile(path)).first->second.get();
  if (!image && reportMissing && !reportedMissing_) {
    reportedMissing_ = true;
    const std::u16string line = u"cannot load the picture " + std::u16string(path) +
                                u"; missing pictures show nothing (further ones are not reported)";
    services::OutputDebugStringW(line.c_str());
  }
  return image;
}

const char16_t* ImageCache::keptPath(std::u16string_view path) {
  auto found = keptPaths_.find(path);
  if (found == keptPaths_.end()) found = keptPaths_.emplace(path).first;
  return found->c_str();
}

const Image* ImageCache::fromResource(const ResourceTable& table, uint32_t id) {
  const std::span<const uint8_t> bytes = table.find(id);
  if (bytes.empty()) return nullptr;
  if (auto found = resources_.find(bytes.data()); found != resources_.end()) return found->second.get();
  if (Host* host = currentHost()) host->yieldIfBusy();
  auto image = std::make_unique<Image>();
  ++decodes_;
  if (!decodeImage(bytes, *image)) image.reset();
  return resources_.emplace(bytes.data(), std::move(image)).first->second.get();
}

std::unique_ptr<Image> ImageCache::decodeFile(std::u16string_view path) {
  std::u16string portable(path);
  for (char16_t& c : portable) {
    if (c == u'\\') c = u'/';
  }
  std::vector<uint8_t> bytes;
  ++fileReads_;
  const std::string file = utf8FromUtf16(portable);
  // A picture still on its way is waited for, never shown missing.
  bool found = readFile(file, bytes);
  for (Host* host = currentHost(); !found && host && host->fileArriving(portable);) {
    host->awaitFile(portable);
    found = readFile(file, bytes);
  }
  if (!found) return nullptr;
  if (Host* host = currentHost()) host->yieldIfBusy();
  auto image = std::make_unique<Image>();
  ++decodes_;
  if (!decodeImage(bytes, *image)) return nullptr;
  return image;
}

ImageCache& imageCache() {
  static ImageCache cache;
  return cache;
}
