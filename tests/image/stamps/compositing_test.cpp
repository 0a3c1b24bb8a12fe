#include "image/stamps/compositing.h"

#include <gtest/gtest.h>

#include "pixel_support.h"

namespace velmora::image {
namespace {

using test::At;
using test::Flat;

TEST(CompositingTest, OpacityPercentagesBecomeWeights) {
  EXPECT_EQ(OpacityWeight(0), 0);
  EXPECT_EQ(OpacityWeight(50), 128);
  EXPECT_EQ(OpacityWeight(100), 255);
  EXPECT_EQ(OpacityWeight(-20), 0);
  EXPECT_EQ(OpacityWeight(1'000'000), 255);
}

TEST(CompositingTest, RectanglesAreClippedToTheImage) {
  RgbBuffer image = Flat(10, 8, {0, 0, 0});
  BlendRect(image, {-5, -5, 3, 2}, {255, 255, 255}, 255);
  EXPECT_EQ(At(image, 0, 0).r, 255);
  EXPECT_EQ(At(image, 2, 1).r, 255);
  EXPECT_EQ(At(image, 3, 1).r, 0);
  EXPECT_EQ(At(image, 2, 2).r, 0);
  // Empty, reversed and far-away rectangles draw nothing.
  RgbBuffer untouched = Flat(10, 8, {0, 0, 0});
  for (const PixelRect& r : {PixelRect{5, 5, 5, 9}, PixelRect{6, 0, 2, 8}, PixelRect{-100, 0, -50, 8},
                             PixelRect{0, INT64_MAX - 1, 10, INT64_MAX}}) {
    BlendRect(untouched, r, {255, 255, 255}, 255);
  }
  EXPECT_TRUE(test::Same(untouched, Flat(10, 8, {0, 0, 0})));
}

TEST(CompositingTest, LayersPartlyOutsideDrawTheirVisiblePart) {
  RgbBuffer picture = test::Gradient(6, 4);
  const CoverageLayer layer = MakeCoverageLayer(picture.Clone(), {}, 255);
  RgbBuffer image = Flat(5, 5, {0, 0, 0});
  LayOver(image, layer, -2, 3);
  EXPECT_EQ(At(image, 0, 3), At(picture, 2, 0));
  EXPECT_EQ(At(image, 3, 4), At(picture, 5, 1));
  EXPECT_EQ(At(image, 4, 4), (Rgb{0, 0, 0}));
  EXPECT_EQ(At(image, 0, 2), (Rgb{0, 0, 0}));
}

TEST(CompositingTest, StretchedLayersKeepEveryColourWithinItsCoverage) {
  // Opaque black beside half-covering white: the enlarging filter rings at
  // the edge, and a colour above its coverage would lighten the clone there.
  RgbBuffer colour = Flat(8, 2, {0, 0, 0});
  std::vector<std::uint8_t> coverage(16, 255);
  for (int y = 0; y < 2; ++y) {
    for (int x = 4; x < 8; ++x) {
      colour.pixel(x, y)[0] = colour.pixel(x, y)[1] = colour.pixel(x, y)[2] = 255;
      coverage[y * 8 + x] = 128;
    }
  }
  const CoverageLayer stretched = ResizeLayer(MakeCoverageLayer(std::move(colour), coverage, 255), 64, 4);
  ASSERT_EQ(stretched.coverage.width(), 64);
  for (std::size_t i = 0; i < stretched.colour.size(); ++i) {
    ASSERT_LE(stretched.colour.data()[i], stretched.coverage.data()[i]) << "byte " << i;
  }
  // Over black, each pixel shows no more than white at its coverage.
  RgbBuffer image = Flat(64, 4, {0, 0, 0});
  LayOver(image, stretched, 0, 0);
  for (int x = 0; x < 64; ++x) EXPECT_LE(At(image, x, 1).r, stretched.coverage.pixel(x, 1)[0]) << x;
}

}  // namespace
}  // namespace velmora::image
