// The eight turns on a buffer, checked against the meaning EXIF gives each
// value (which side of the picture the stored first row and first column
// belong to), and which sources are turned at all.
#include "image/orientation.h"

#include <gtest/gtest.h>

#include "image/codecs/codec_registry.h"
#include "image/source_orientation.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

enum class Side { kTop, kBottom, kLeft, kRight };

// Where the stored first row and the stored first column stand in the
// upright picture, as the EXIF standard describes orientations 1 to 8.
struct Meaning {
  Side first_row;
  Side first_column;
};
constexpr Meaning kMeanings[9] = {
    {},
    {Side::kTop, Side::kLeft},    {Side::kTop, Side::kRight},  {Side::kBottom, Side::kRight},
    {Side::kBottom, Side::kLeft}, {Side::kLeft, Side::kTop},   {Side::kRight, Side::kTop},
    {Side::kRight, Side::kBottom}, {Side::kLeft, Side::kBottom},
};

// The upright position of stored pixel (x, y) of a width x height picture.
std::pair<int, int> UprightPosition(int orientation, int x, int y, int width, int height) {
  const Meaning m = kMeanings[orientation];
  if (m.first_row == Side::kTop || m.first_row == Side::kBottom) {
    return {m.first_column == Side::kLeft ? x : width - 1 - x, m.first_row == Side::kTop ? y : height - 1 - y};
  }
  return {m.first_row == Side::kLeft ? y : height - 1 - y, m.first_column == Side::kTop ? x : width - 1 - x};
}

// Every pixel tells where it was stored.
RgbBuffer Numbered(int width, int height) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixel(x, y)[0] = static_cast<std::uint8_t>(x);
      image.pixel(x, y)[1] = static_cast<std::uint8_t>(y);
      image.pixel(x, y)[2] = 7;
    }
  }
  return image;
}

TEST(OrientationTest, EveryValueTurnsAsItsMeaningSays) {
  // Wider than a tile, so that the tiled walk meets partial tiles on both sides.
  for (const auto& [width, height] : {std::pair{5, 3}, std::pair{70, 130}}) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
      SCOPED_TRACE(::testing::Message() << width << " x " << height << ", orientation " << orientation);
      const RgbBuffer upright = TurnUpright(Numbered(width, height), orientation);
      const ImageSize size = UprightSize({width, height}, orientation);
      ASSERT_EQ(upright.width(), size.width);
      ASSERT_EQ(upright.height(), size.height);
      EXPECT_EQ(size.width, orientation >= 5 ? height : width);
      int wrong = 0;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const auto [ux, uy] = UprightPosition(orientation, x, y, width, height);
          const std::uint8_t* p = upright.pixel(ux, uy);
          wrong += p[0] != x || p[1] != y || p[2] != 7;
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(OrientationTest, UprightAndUnknownValuesKeepTheBufferWithoutACopy) {
  for (const int orientation : {1, 0, 9, -6}) {
    RgbBuffer image = Numbered(4, 2);
    const std::uint8_t* pixels = image.data();
    const RgbBuffer kept = TurnUpright(std::move(image), orientation);
    EXPECT_EQ(kept.data(), pixels) << orientation;
    EXPECT_EQ(kept.width(), 4);
    EXPECT_FALSE(OrientationSwapsSides(orientation));
  }
  EXPECT_TRUE(TurnUpright(RgbBuffer(), 6).empty());
  EXPECT_EQ(UprightSize({4, 2}, 9).width, 4);
}

// A JPEG that names orientation 6 in its EXIF block, written here byte by
// byte: only the metadata matters to the choice.
std::vector<std::uint8_t> JpegHeadWithOrientation(std::uint8_t orientation) {
  const std::uint8_t tiff[] = {'I', 'I', 42, 0, 8, 0, 0, 0,  // header, first directory at 8
                               1, 0,                          // one entry
                               0x12, 0x01, 3, 0, 1, 0, 0, 0, orientation, 0, 0, 0,  // 274 SHORT 1
                               0, 0, 0, 0};
  std::vector<std::uint8_t> file = {0xFF, 0xD8, 0xFF, 0xE1, 0, static_cast<std::uint8_t>(2 + 6 + sizeof tiff)};
  for (const char c : {'E', 'x', 'i', 'f', '\0', '\0'}) file.push_back(static_cast<std::uint8_t>(c));
  file.insert(file.end(), std::begin(tiff), std::end(tiff));
  file.insert(file.end(), {0xFF, 0xD9});
  return file;
}

TEST(SourceOrientationTest, ExifTypesTurnOnlyWithTheSetting) {
  const std::vector<std::uint8_t> jpeg = JpegHeadWithOrientation(6);
  EXPECT_EQ(SourceOrientation(jpeg, kImageTypeJpg, true), 6);
  EXPECT_EQ(SourceOrientation(jpeg, kImageTypeUnknown, true), 6);  // guessed from the bytes
  EXPECT_EQ(SourceOrientation(jpeg, kImageTypeJpg, false), 1);
  // A type without EXIF orientation is never turned, whatever its bytes say.
  EXPECT_EQ(SourceOrientation(jpeg, kImageTypeBmp, true), 1);
  EXPECT_EQ(SourceOrientation(JpegHeadWithOrientation(9), kImageTypeJpg, true), 1);
  EXPECT_EQ(SourceOrientation(std::vector<std::uint8_t>{}, kImageTypeJpg, true), 1);

  const velmora::test::TempDir dir;
  velmora::test::WriteFile(dir / "head.jpg", std::string(jpeg.begin(), jpeg.end()));
  EXPECT_EQ(SourceOrientation(dir / "head.jpg", kImageTypeJpg, true), 6);
  EXPECT_EQ(SourceOrientation(dir / "head.jpg", kImageTypeJpg, false), 1);
  EXPECT_EQ(SourceOrientation(dir / "missing.jpg", kImageTypeJpg, true), 1);
  EXPECT_EQ(SourceOrientation(dir / "missing.raw", kImageTypeRaw, false), 1);
}

}  // namespace
}  // namespace velmora::image
