// ImagingHelper, ImageContainer and the resource table lookup.
#include "platform/imaging.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/asset_trace.hpp"
#include "platform/host.hpp"
#include "platform/image_cache.hpp"
#include "platform/language/language.hpp"
#include "platform/resources.hpp"

std::span<const uint8_t> ResourceTable::find(uint32_t id) const {
  auto entry = std::lower_bound(entries.begin(), entries.end(), id,
                                [](const ResourceEntry& e, uint32_t wanted) { return e.id < wanted; });
  if (entry == entries.end() || entry->id != id) return {};
  return {entry->data, entry->size};
}

const Image* loadPictureFile(const char16_t* path) {
  if (!path) return nullptr;
  // The active language's own picture first; reused, so a reload allocates nothing.
  static std::u16string variant;
  const Image* image = nullptr;
  if (localizedImagePath(path, variant)) image = imageCache().fromFile(variant, false);
  const bool localized = image != nullptr;
  if (!image) image = imageCache().fromFile(path);
  if (assetTraceEnabled()) traceFile(path, !image ? std::u16string_view() : localized ? variant : path);
  return image;
}

// Whether the file at `path`, or its variant in the active language, is still
// on its way.
static bool pictureArriving(const char16_t* path) {
  Host* host = currentHost();
  if (!host || !path) return false;
  static std::u16string variant;
  return (localizedImagePath(path, variant) && host->fileArriving(variant)) || host->fileArriving(path);
}

void PictureFile::load(const char16_t* path) {
  if (pictureArriving(path)) {
    image_ = nullptr;
    arriving_ = path;
    return;
  }
  assign(loadPictureFile(path));
}

const Image* PictureFile::get() const {
  if (!arriving_.empty()) {
    const std::u16string path = std::move(arriving_);
    arriving_.clear();
    image_ = loadPictureFile(path.c_str());
  }
  return image_;
}

bool ImagingHelper::LoadImageW(const char16_t* path, bool, bool, bool) {
  picture_.load(path);
  return !picture_.empty();
}

ImagingHelper* ImageContainer::LoadImageW(InstanceHandle instance, uint32_t resourceId, bool) {
  if (!instance || count_ == Capacity) return nullptr;
  const auto& table = *static_cast<const ResourceTable*>(instance);
  // The executable's own resources have variants per language.
  const ResourceTable* localized = &table == &compiledResources() ? compiledResourcesFor(activeLanguage()) : nullptr;
  const Image* image = localized ? imageCache().fromResource(*localized, resourceId) : nullptr;
  const bool isVariant = image != nullptr;
  if (!image) image = imageCache().fromResource(table, resourceId);
  if (assetTraceEnabled()) traceResource(resourceId, !image ? "" : isVariant ? activeLanguage() : OriginalLanguage);
  if (!image) return nullptr;
  ImagingHelper& slot = images_[static_cast<size_t>(count_++)];
  slot.Assign(image);
  return &slot;
}
