// Decoded pictures: shared images loaded from files and button images loaded
// from the executable's PNG resources.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/image.hpp"
#include "platform/look_hash.hpp"
#include "platform/mz_types.hpp"

struct ResourceTable;

// The decoded picture of the file at `path` (null when there is none), in the
// active language: its variant under Images/<language>/ when there is one.
const Image* loadPictureFile(const char16_t* path);

// A picture file's decoded picture: decoded when loaded, or, while the file
// is still on its way (a page loading its packages), when first needed, so
// that loading never waits for it and drawing it waits, never showing it
// missing.
class PictureFile {
 public:
  void load(const char16_t* path);
  void assign(const Image* image) {
    image_ = image;
    arriving_.clear();
  }
  const Image* get() const;
  // The picture shown, for a control's look: the decoded picture's address or
  // the path of the one still on its way (a look never waits for a picture).
  void addLook(LookHash& hash) const {
    hash.add(image_);
    hash.add(arriving_.data(), arriving_.size() * sizeof(char16_t));
  }
  bool empty() const { return image_ == nullptr && arriving_.empty(); }

 private:
  mutable const Image* image_ = nullptr;
  mutable std::u16string arriving_;  // the path of a picture on its way
};

// A handle to one decoded picture. Loading a file points the handle at the
// decoded pixels of that file; every sprite that draws this handle shows the
// new picture at its next repaint. Each distinct file is decoded once per run
// and kept, so reloading a file already seen neither reads the disk nor
// allocates. A missing or unreadable file leaves the handle empty.
//
// A handle remembers what it was loaded from, so that a change of language
// can point every live handle at the new language's variant of its picture
// (reloadPicturesForLanguage).
class ImagingHelper {
 public:
  ImagingHelper();
  ~ImagingHelper();
  ImagingHelper(const ImagingHelper&) = delete;
  ImagingHelper& operator=(const ImagingHelper&) = delete;

  // Loads a PNG or JPEG file (a full path with '/' separators). The three
  // flags are accepted for the library's signature and have no effect here.
  bool LoadImageW(const char16_t* path, bool = true, bool = true, bool = true);
  // Loads resource `id` of `table`, preferring the active language's variant
  // when `table` is the executable's own.
  bool loadResource(const ResourceTable& table, uint32_t id);
  // Points the handle at an already decoded picture (null empties it); a
  // change of language leaves such a picture as it is.
  void Assign(const Image* image);
  void Clear() { Assign(nullptr); }

  const Image* image() const { return picture_.get(); }
  void addLook(LookHash& hash) const { picture_.addLook(hash); }
  bool IsEmpty() const { return picture_.empty(); }

 private:
  friend void reloadPicturesForLanguage();
  void reload();

  PictureFile picture_;
  const char16_t* sourcePath_ = nullptr;  // kept by the picture cache
  const ResourceTable* sourceTable_ = nullptr;
  uint32_t sourceId_ = 0;
  ImagingHelper* previousLive_ = nullptr;
  ImagingHelper* nextLive_ = nullptr;
};

// Loads every live handle again from what it was loaded from, in the active
// language: after a change of language every picture shows its variant.
void reloadPicturesForLanguage();

// Owns the button pictures decoded from the executable's PNG resources.
class ImageContainer {
 public:
  static constexpr int Capacity = 4;

  ImageContainer() = default;
  ImageContainer(const ImageContainer&) = delete;
  ImageContainer& operator=(const ImageContainer&) = delete;

  // Decodes resource `resourceId` and returns its picture, owned by this
  // container; an unknown id (or a full container) gives null, not an error.
  ImagingHelper* LoadImageW(InstanceHandle instance, uint32_t resourceId, bool = true);

 private:
  std::array<ImagingHelper, Capacity> images_;
  int count_ = 0;
};
