// The decode-once store of pictures: each file and each resource is decoded at
// its first load and kept for the rest of the run, so loading it again is a
// lookup that reads no disk and allocates nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/image.hpp"
#include "platform/resources.hpp"

class ImageCache {
 public:
  // The picture in the file at `path` ('\' is taken as '/'); null when the
  // file is missing or holds no picture. A failure is remembered as well, and
  // the first one of the run is reported on standard error unless
  // `reportMissing` is false (a picture that may well not exist).
  const Image* fromFile(std::u16string_view path, bool reportMissing = true);
  // A lasting copy of `path`, the same one for equal paths: what a picture
  // handle remembers it was loaded from. Only a path not seen before allocates.
  const char16_t* keptPath(std::u16string_view path);
  // The picture of resource `id` in `table`; null when there is none.
  const Image* fromResource(const ResourceTable& table, uint32_t id);

  // How many pictures were decoded and files read so far (for diagnostics).
  uint64_t decodeCount() const { return decodes_; }
  uint64_t fileReadCount() const { return fileReads_; }

 private:
  struct PathHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view path) const { return std::hash<std::u16string_view>{}(path); }
  };

  std::unique_ptr<Image> decodeFile(std::u16string_view path);

  std::unordered_map<std::u16string, std::unique_ptr<Image>, PathHash, std::equal_to<>> files_;
  std::unordered_map<const uint8_t*, std::unique_ptr<Image>> resources_;
  std::unordered_set<std::u16string, PathHash, std::equal_to<>> keptPaths_;
  uint64_t decodes_ = 0;
  uint64_t fileReads_ = 0;
  bool reportedMissing_ = false;
};

// The process's one cache.
ImageCache& imageCache();
