// Decoding, the decode-once cache, shared images, resources and bad files.
#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/image_cache.hpp"
#include "platform/imaging.hpp"
#include "platform/mz_functions.hpp"
#include "platform/resources.hpp"
#include "platform/system/file_system.hpp"
#include "platform/ui_controls.hpp"
#include "test_support.hpp"

namespace {

std::vector<uint8_t> pngBytes(int32_t width, int32_t height, uint32_t straightRgba) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width * height), straightRgba);
  std::vector<uint8_t> bytes;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
      },
      &bytes, width, height, 4, pixels.data(), width * 4);
  return bytes;
}

// The runs of row y as text: "10-30 copy, 30-42 blend".
std::string runsOfRow(const Image& image, int32_t y) {
  std::string text;
  for (uint32_t i = image.rowRuns[static_cast<size_t>(y)]; i < image.rowRuns[static_cast<size_t>(y) + 1]; ++i) {
    const PixelRun& run = image.runs[i];
    text += (text.empty() ? "" : ", ") + std::to_string(run.begin) + "-" + std::to_string(run.end) +
            (run.blended ? " blend" : " copy");
  }
  return text;
}

std::u16string widePath(const std::filesystem::path& path) { return path.u16string(); }

TEST(DecodeImage, PngPixelsArePremultipliedAndJpegDecodes) {
  Image image;
  ASSERT_TRUE(decodeImage(pngBytes(3, 2, packRgba(200, 100, 50, 128)), image));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels[0], packRgba(100, 50, 25, 128));
  EXPECT_EQ(runsOfRow(image, 1), "0-3 blend");  // decoding sorts the rows into runs
  EXPECT_FALSE(image.opaque);

  ScratchDirectory scratch;
  const std::vector<uint32_t> pixels(16 * 16, packRgba(0, 200, 0, 255));
  const auto jpeg = scratch.path() / "green.jpg";
  ASSERT_NE(stbi_write_jpg(jpeg.c_str(), 16, 16, 4, pixels.data(), 95), 0);
  ImagingHelper helper;
  ASSERT_TRUE(helper.LoadImageW(widePath(jpeg).c_str()));
  const uint32_t pixel = helper.image()->pixels[0];
  EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 200, 6);
  EXPECT_EQ(alphaOf(pixel), 255u);
  EXPECT_TRUE(helper.image()->opaque);
}

TEST(DecodeImage, BytesThatAreNoPictureLeaveTheImageUntouched) {
  Image image;
  image.width = 7;
  const std::vector<uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
  EXPECT_FALSE(decodeImage(text, image));
  auto truncated = pngBytes(8, 8, 0xFF00FF00);
  truncated.resize(truncated.size() / 2);
  EXPECT_FALSE(decodeImage(truncated, image));
  EXPECT_FALSE(decodeImage({}, image));
  EXPECT_FALSE(decodeImage(pngBytes(9000, 1, 0xFFFFFFFF), image));  // larger than any picture of ours
  EXPECT_EQ(image.width, 7);
}

TEST(PixelRuns, RowsSplitIntoCopiedBlendedAndSkippedRuns) {
  constexpr uint32_t Solid = packRgba(10, 20, 30, 255);
  constexpr uint32_t Half = packRgba(64, 0, 32, 128);
  struct Stretch {
    int32_t y, x, count;
    uint32_t pixel;
  };
  const Stretch stretches[] = {
      {1, 0, 140, Solid},                                           // opaque
      {2, 10, 20, Solid},  {2, 30, 12, Half},  {2, 72, 25, Solid},  // mixed
      {3, 0, 10, Half},    {3, 10, 3, Solid},  {3, 13, 10, Half},   // short stretches among blended ones
      {3, 27, 10, Half},   {3, 60, 2, Half},   {3, 100, 3, Solid},  {3, 105, 3, Solid}};
  Image image = solidImage(140, 4, 0);  // row 0 stays transparent
  for (const Stretch& s : stretches) std::fill_n(image.pixels.begin() + s.y * 140 + s.x, s.count, s.pixel);
  classifyRuns(image);
  ASSERT_TRUE(image.hasRuns());
  EXPECT_FALSE(image.opaque);
  EXPECT_EQ(runsOfRow(image, 0), "");
  EXPECT_EQ(runsOfRow(image, 1), "0-140 copy");
  EXPECT_EQ(runsOfRow(image, 2), "10-30 copy, 30-42 blend, 72-97 copy");
  EXPECT_EQ(runsOfRow(image, 3), "0-37 blend, 60-62 blend, 100-103 copy, 105-108 copy");

  Image opaque = solidImage(3, 3, Solid);
  classifyRuns(opaque);
  EXPECT_TRUE(opaque.opaque);
  opaque.pixels.resize(5);  // fewer pixels than its size says
  classifyRuns(opaque);
  EXPECT_FALSE(opaque.opaque);
  EXPECT_FALSE(opaque.hasRuns());
}

TEST(ImageCache, ReloadingAFileNeitherReadsNorDecodesAgain) {
  ScratchDirectory scratch;
  const auto shot = widePath(scratch.writePng("color0.png", 16, 48, 0xFF0000FF));
  ImageCache& cache = imageCache();
  ImagingHelper helper;
  ASSERT_TRUE(helper.LoadImageW(shot.c_str()));
  const Image* first = helper.image();
  const uint64_t decodes = cache.decodeCount();
  const uint64_t reads = cache.fileReadCount();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(helper.LoadImageW(shot.c_str()));
  EXPECT_EQ(helper.image(), first);
  EXPECT_EQ(cache.decodeCount(), decodes);
  EXPECT_EQ(cache.fileReadCount(), reads);
}

TEST(ImageCache, AMissingOrBrokenFileLeavesThePictureEmptyAndIsNotRetried) {
  ScratchDirectory scratch;
  const auto missing = widePath(scratch.path() / "key5.png");
  const auto broken = scratch.path() / "bom.png";
  std::ofstream(broken) << "garbage";
  ImagingHelper helper;
  EXPECT_FALSE(helper.LoadImageW(missing.c_str()));
  EXPECT_TRUE(helper.IsEmpty());
  EXPECT_FALSE(helper.LoadImageW(widePath(broken).c_str()));
  const uint64_t reads = imageCache().fileReadCount();
  EXPECT_FALSE(helper.LoadImageW(missing.c_str()));
  EXPECT_EQ(imageCache().fileReadCount(), reads);
  EXPECT_FALSE(helper.LoadImageW(nullptr));
}

TEST(ImageCache, BackslashesInAPathWorkAsSlashes) {
  ScratchDirectory scratch;
  std::filesystem::create_directory(scratch.path() / "Images");
  scratch.writePng("Images/bg.png", 4, 4, 0xFFFFFFFF);
  const std::u16string path = widePath(scratch.path()) + u"\\Images\\bg.png";
  UiPicture picture;
  EXPECT_TRUE(picture.LoadImageW(path.c_str()));
  EXPECT_NE(picture.image(), nullptr);
}

TEST(ImageCache, AFileThatCannotBeReadGivesNoPicture) {
  struct UnreadableFiles : FileSystem {
    PathKind lookup(const std::string&) override { return PathKind::File; }
    bool clearReadOnly(const std::string&) override { return false; }
    int open(const std::string&, FileAccess) override { return 3; }
    int createTemporary(const std::string&, std::string&) override { return -1; }
    bool size(int, uint64_t& bytes) override {
      bytes = 100;
      return true;
    }
    bool read(int, void*, size_t) override { return false; }
    bool write(int, const void*, size_t) override { return false; }
    bool copyPermissions(const std::string&, int) override { return false; }
    bool flush(int) override { return false; }
    bool close(int) override { return true; }
    bool rename(const std::string&, const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
  } unreadable;
  ScopedFileSystem replaced(unreadable);
  ImagingHelper helper;
  EXPECT_FALSE(helper.LoadImageW(u"/nowhere/unreadable-picture.png"));
}

TEST(SharedImages, ASpriteFollowsItsSharedImageWhenItIsReloaded) {
  ScratchDirectory scratch;
  const auto c0 = widePath(scratch.writePng("c0.png", 2, 2, 0xFF0000FF));
  const auto c3 = widePath(scratch.writePng("c3.png", 2, 2, 0xFFFF0000));
  ImagingHelper preview;
  UiPicture2 first, second;
  first.SetImage(&preview);
  second.SetImage(&preview);
  preview.LoadImageW(c0.c_str());
  const Image* before = first.GetImage()->image();
  preview.LoadImageW(c3.c_str());
  EXPECT_NE(first.GetImage()->image(), before);
  EXPECT_EQ(first.GetImage()->image(), second.GetImage()->image());
  EXPECT_EQ(second.GetImage()->image()->pixels[0], packRgba(0, 0, 255, 255));
}

class ResourceTest : public ::testing::Test {
 protected:
  std::vector<uint8_t> grey = pngBytes(50, 50, 0xFF808080);
  std::vector<uint8_t> orange = pngBytes(50, 50, 0xFF0080FF);
  const uint8_t notPicture[3] = {1, 2, 3};
  std::vector<ResourceEntry> entries{{101, grey.data(), grey.size()},
                                     {102, orange.data(), orange.size()},
                                     {103, notPicture, sizeof notPicture}};
  ResourceTable table{entries};
};

TEST_F(ResourceTest, AContainerDecodesResourcesByIdAndAMissingIdGivesNoImage) {
  ImageContainer container;
  ImagingHelper* dim = container.LoadImageW(&table, 101);
  ImagingHelper* lit = container.LoadImageW(&table, 102);
  ASSERT_NE(dim, nullptr);
  ASSERT_NE(lit, nullptr);
  EXPECT_NE(dim, lit);
  EXPECT_EQ(dim->image()->width, 50);
  EXPECT_EQ(lit->image()->pixels[0], packRgba(255, 128, 0, 255));
  EXPECT_EQ(container.LoadImageW(&table, 107), nullptr);
  EXPECT_EQ(container.LoadImageW(&table, 103), nullptr);
  EXPECT_EQ(container.LoadImageW(nullptr, 101), nullptr);
}

TEST_F(ResourceTest, OneResourceInTwoContainersIsDecodedOnce) {
  ImageContainer settingsBack, helpBack;
  ImagingHelper* first = settingsBack.LoadImageW(&table, 101);
  const uint64_t decodes = imageCache().decodeCount();
  ImagingHelper* second = helpBack.LoadImageW(&table, 101);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(first->image(), second->image());
  EXPECT_EQ(imageCache().decodeCount(), decodes);
}

TEST_F(ResourceTest, AFullContainerRefusesMoreImages) {
  ImageContainer container;
  for (int i = 0; i < ImageContainer::Capacity; ++i) EXPECT_NE(container.LoadImageW(&table, 101), nullptr);
  EXPECT_EQ(container.LoadImageW(&table, 102), nullptr);
}

TEST(CompiledResources, TheTableIsSortedAndHasNoResource107) {
  const ResourceTable& table = compiledResources();
  for (size_t i = 1; i < table.entries.size(); ++i) EXPECT_LT(table.entries[i - 1].id, table.entries[i].id);
  EXPECT_TRUE(table.find(107).empty());
  EXPECT_EQ(MzGetInstanceHandle(), &table);
  for (const ResourceEntry& entry : table.entries) {
    SCOPED_TRACE(entry.id);
    ImageContainer one;
    EXPECT_NE(one.LoadImageW(MzGetInstanceHandle(), entry.id), nullptr);
  }
}

}  // namespace
