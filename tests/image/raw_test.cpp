// Camera RAW through LibRaw: a minimal DNG (an RGGB sensor of uniform grey)
// written here byte by byte, since no tool at hand writes RAW files.
#include <gtest/gtest.h>

#include <cstring>

#include "image/codecs/camera_orientation.h"
#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/rl_image.h"
#include "image/source_orientation.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

struct TiffEntry {
  std::uint16_t tag;
  std::uint16_t type;  // 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG, 5 RATIONAL, 10 SRATIONAL
  std::vector<std::uint32_t> values;  // rationals as numerator, denominator pairs
};

std::vector<std::uint8_t> MinimalDng(int width, int height, std::uint16_t level, std::uint32_t orientation = 1) {
  const std::uint32_t pixels = static_cast<std::uint32_t>(width * height * 2);
  std::vector<TiffEntry> entries = {
      {254, 4, {0}},           {256, 4, {static_cast<std::uint32_t>(width)}},
      {257, 4, {static_cast<std::uint32_t>(height)}}, {258, 3, {16}}, {259, 3, {1}}, {262, 3, {32803}},
      {271, 2, {'V', 'e', 'l', 'm', 'o', 'r', 'a', 0}}, {273, 4, {0}},  // strip offset patched below
      {274, 3, {orientation}},           {277, 3, {1}}, {278, 4, {static_cast<std::uint32_t>(height)}},
      {279, 4, {pixels}},      {284, 3, {1}}, {33421, 3, {2, 2}}, {33422, 1, {0, 1, 1, 2}},
      {50706, 1, {1, 4, 0, 0}}, {50708, 2, {'T', 'e', 's', 't', 0}},
      {50717, 4, {65535}},
      {50721, 10, {1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1}},
      {50728, 5, {1, 1, 1, 1, 1, 1}},         {50778, 3, {21}},
  };
  auto size_of = [](std::uint16_t type) { return type == 3 ? 2u : type == 4 ? 4u : type >= 5 ? 4u : 1u; };
  std::vector<std::uint8_t> out(8 + 2 + entries.size() * 12 + 4, 0);
  auto put = [&](std::size_t at, std::uint32_t v, unsigned bytes) {
    for (unsigned i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  std::memcpy(out.data(), "II*\0", 4);
  put(4, 8, 4);
  put(8, static_cast<std::uint32_t>(entries.size()), 2);
  std::size_t strip_entry = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TiffEntry& e = entries[i];
    const std::size_t at = 10 + i * 12;
    const unsigned unit = size_of(e.type);
    const std::uint32_t count = e.type >= 5 ? static_cast<std::uint32_t>(e.values.size() / 2)
                                            : static_cast<std::uint32_t>(e.values.size());
    put(at, e.tag, 2);
    put(at + 2, e.type, 2);
    put(at + 4, count, 4);
    std::size_t data = at + 8;
    if (unit * e.values.size() > 4) {
      data = out.size();
      put(at + 8, static_cast<std::uint32_t>(data), 4);
      out.resize(out.size() + unit * e.values.size());
    }
    for (std::size_t k = 0; k < e.values.size(); ++k) put(data + k * unit, e.values[k], unit);
    if (e.tag == 273) strip_entry = at + 8;
  }
  put(strip_entry, static_cast<std::uint32_t>(out.size()), 4);
  for (std::uint32_t i = 0; i < pixels / 2; ++i) {
    out.push_back(static_cast<std::uint8_t>(level));
    out.push_back(static_cast<std::uint8_t>(level >> 8));
  }
  return out;
}

TEST(RawTest, ReadsADngAsDevelopedRgb) {
  const std::vector<std::uint8_t> dng = MinimalDng(64, 48, 20000);
  const ImageSize size = GetImageDims(dng, kImageTypeRaw);
  EXPECT_EQ(size.width, 64);
  EXPECT_EQ(size.height, 48);
  const RgbBuffer image = ReadImage(dng, kImageTypeRaw);
  ASSERT_EQ(image.width(), 64);
  ASSERT_EQ(image.height(), 48);
  // A uniform grey sensor develops into a neutral grey.
  const std::uint8_t* centre = image.pixel(32, 24);
  EXPECT_GT(centre[1], 30);
  EXPECT_NEAR(centre[0], centre[1], 8);
  EXPECT_NEAR(centre[2], centre[1], 8);
  // A RAW file cannot be written.
  try {
    EncodeImage(kImageTypeRaw, image);
    FAIL();
  } catch (const ImageError& e) {
    EXPECT_EQ(e.number(), 1001);
    EXPECT_EQ(e.description(), "IS_WriteUnsupportedImageType");
  }
}

// Like every reader, the RAW reader gives the pixels as the sensor stored
// them; the turn the camera asks for is made by the pipeline (below).
TEST(RawTest, OrientationTagTurnsNothing) {
  for (const std::uint32_t orientation : {3u, 6u, 8u}) {
    SCOPED_TRACE(orientation);
    const std::vector<std::uint8_t> dng = MinimalDng(64, 48, 20000, orientation);
    const ImageSize size = GetImageDims(dng, kImageTypeRaw);
    EXPECT_EQ(size.width, 64);
    EXPECT_EQ(size.height, 48);
    const RgbBuffer image = ReadImage(dng, kImageTypeRaw);
    EXPECT_EQ(image.width(), 64);
    EXPECT_EQ(image.height(), 48);
  }
}

// A RAW picture stands as the camera recorded, with or without AUTO_ORIENT,
// as every RAW converter shows it.
TEST(RawTest, ThePipelineTurnsARawPictureAsTheCameraSays) {
  for (std::uint32_t orientation = 1; orientation <= 8; ++orientation) {
    EXPECT_EQ(CameraRawOrientation(MinimalDng(64, 48, 20000, orientation)), static_cast<int>(orientation));
  }
  const std::vector<std::uint8_t> text = {'n', 'o', ' ', 'r', 'a', 'w'};
  EXPECT_EQ(CameraRawOrientation(text), 1);

  const velmora::test::TempDir dir;
  const std::vector<std::uint8_t> dng = MinimalDng(64, 48, 20000, 6);
  velmora::test::WriteFile(dir / "portrait.dng", std::string(dng.begin(), dng.end()));
  EXPECT_EQ(SourceOrientation(dir / "portrait.dng", kImageTypeRaw, false), 6);
  EXPECT_EQ(UprightImageDims(dir / "portrait.dng", kImageTypeRaw, false).width, 48);
  EXPECT_EQ(UprightImageDims(dir / "portrait.dng", kImageTypeRaw, false).height, 64);

  PipelineOptions options;
  options.clone = {.make = true, .size = {.side = kSideLongest, .longest = 32}, .quality = 90, .filter = -2};
  options.thumb = {.make = true, .size = {.side = kSideLongest, .longest = 16}, .quality = 90};
  RLImageFile file;
  file.Original = {"portrait", "dng", kImageTypeRaw};
  file.Clone = {"portrait", "jpg", kImageTypeJpg};
  file.Thumb = {"t_portrait", "jpg", kImageTypeJpg};
  const ImageOutcome made = RLImage(options).DoIt(file, {dir.path().string(), dir.path().string(), dir.path().string()});
  ASSERT_FALSE(made.error) << made.error->what();
  EXPECT_EQ(made.file.Original.Width, 48);
  EXPECT_EQ(made.file.Original.Height, 64);
  EXPECT_EQ(made.file.Clone.Width, 24);
  EXPECT_EQ(made.file.Clone.Height, 32);
  EXPECT_EQ(made.file.Thumb.Width, 12);
  EXPECT_EQ(made.file.Thumb.Height, 16);
  const ImageSize clone = GetImageDims(dir / "portrait.jpg", kImageTypeJpg);
  EXPECT_EQ(clone.width, 24);
  EXPECT_EQ(clone.height, 32);

  // A copy of the RAW file keeps the camera's turn, and is up to date at the upright size.
  file.Clone = {"copy", "dng", kImageTypeRaw};
  options.clone.size = {.side = kSideKeepSize};
  options.thumb.make = false;
  const ImageOutcome copied = RLImage(options).DoIt(file, {dir.path().string(), dir.path().string(), dir.path().string()});
  ASSERT_FALSE(copied.error) << copied.error->what();
  EXPECT_TRUE(copied.clone_made);
  EXPECT_EQ(velmora::test::ReadFile(dir / "copy.dng"), velmora::test::ReadFile(dir / "portrait.dng"));
  EXPECT_EQ(copied.file.Clone.Width, 48);
  options.clone.only_if_newer = true;
  EXPECT_FALSE(RLImage(options).DoIt(file, {dir.path().string(), dir.path().string(), dir.path().string()}).clone_made);
}

TEST(RawTest, ABrokenRawFileFailsCleanly) {
  std::vector<std::uint8_t> dng = MinimalDng(64, 48, 20000);
  dng.resize(dng.size() - 3000);
  ::testing::internal::CaptureStderr();
  EXPECT_THROW(ReadImage(dng, kImageTypeRaw), ImageError);
  const std::vector<std::uint8_t> text = {'n', 'o', ' ', 'r', 'a', 'w'};
  EXPECT_THROW(GetImageDims(text, kImageTypeRaw), ImageError);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace velmora::image
