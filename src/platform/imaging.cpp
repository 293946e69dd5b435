// ImagingHelper, ImageContainer and the resource table lookup.
#include "platform/imaging.hpp"

#include <algorithm>

#include "platform/image_cache.hpp"
#include "platform/resources.hpp"

std::span<const uint8_t> ResourceTable::find(uint32_t id) const {
  auto entry = std::lower_bound(entries.begin(), entries.end(), id,
                                [](const ResourceEntry& e, uint32_t wanted) { return e.id < wanted; });
  if (entry == entries.end() || entry->id != id) return {};
  return {entry->data, entry->size};
}

bool ImagingHelper::LoadImageW(const char16_t* path, bool, bool, bool) {
  image_ = path ? imageCache().fromFile(path) : nullptr;
  return image_ != nullptr;
}

ImagingHelper* ImageContainer::LoadImageW(InstanceHandle instance, uint32_t resourceId, bool) {
  if (!instance || count_ == Capacity) return nullptr;
  const auto& table = *static_cast<const ResourceTable*>(instance);
  const Image* image = imageCache().fromResource(table, resourceId);
  if (!image) return nullptr;
  ImagingHelper& slot = images_[static_cast<size_t>(count_++)];
  slot.Assign(image);
  return &slot;
}
