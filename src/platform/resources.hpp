// The PNG resources compiled into the executable, found by id. The instance
// handle of the executable (MzGetInstanceHandle) points at its table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

struct ResourceEntry {
  uint32_t id = 0;
  const uint8_t* data = nullptr;
  size_t size = 0;
};

struct ResourceTable {
  std::span<const ResourceEntry> entries;  // sorted by id

  // The bytes of resource `id`; empty when there is no such resource.
  std::span<const uint8_t> find(uint32_t id) const;
};

// The table built from assets/resources/<id>.png.
const ResourceTable& compiledResources();
// The variants for `language` built from assets/resources/<language>/<id>.png;
// null when that language has none.
const ResourceTable* compiledResourcesFor(std::string_view language);
