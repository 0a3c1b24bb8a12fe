// Sizes, filters and the default filter's agreement with ImageMagick.
#include "image/resize/resize_image.h"

#include <gtest/gtest.h>

#include "image/image_error.h"
#include "image/resize/resample_filter.h"
#include "image/scale_factor.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

TEST(ScaleFactorTest, SideCodesAndRounding) {
  // A square source with side 1 divides by the height.
  EXPECT_DOUBLE_EQ(ScaleFactor(500, 500, 100, 0, 0, kSideLongest), 0.2);
  const ImageSize fit = ScaledSize(4000, 1000, 0, 800, 800, kSideFitInside);
  EXPECT_EQ(fit.width, 800);
  EXPECT_EQ(fit.height, 200);
  const ImageSize portrait = ScaledSize(3000, 4000, 1600, 0, 0, kSideLongest);
  EXPECT_EQ(portrait.width, 1200);
  EXPECT_EQ(portrait.height, 1600);
  EXPECT_EQ(ScaledSize(4000, 3000, 0, 0, 600, kSideHeight).width, 800);
  // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
  EXPECT_EQ(ScaledSize(10, 5, 0, 5, 0, kSideWidth).height, 2);
  EXPECT_EQ(ScaledSize(10, 7, 0, 5, 0, kSideWidth).height, 4);
  EXPECT_EQ(ScaledSize(640, 480, 0, 0, 0, kSideKeepSize).width, 640);
  EXPECT_EQ(ScaleFactor(640, 480, 100, 100, 100, 9), 0.0);
}

TEST(ResizeTest, EveryModeKeepsAFlatColourFlatAndGivesTheSize) {
  RgbBuffer flat(37, 23);
  for (std::size_t i = 0; i < flat.size(); i += 3) {
    flat.data()[i] = 200;
    flat.data()[i + 1] = 100;
    flat.data()[i + 2] = 7;
  }
  for (int mode = 0; mode <= kResizeModeEnlarge; ++mode) {
    for (const auto& [w, h] : {std::pair{10, 6}, std::pair{80, 50}, std::pair{37, 5}, std::pair{1, 1}}) {
      const RgbBuffer out = ResampleImage(flat, w, h, mode);
      ASSERT_EQ(out.width(), w);
      ASSERT_EQ(out.height(), h);
      for (std::size_t i = 0; i < out.size(); i += 3) {
        ASSERT_NEAR(out.data()[i], 200, 1) << "mode " << mode;
        ASSERT_NEAR(out.data()[i + 1], 100, 1) << "mode " << mode;
        ASSERT_NEAR(out.data()[i + 2], 7, 1) << "mode " << mode;
      }
    }
  }
}

TEST(ResizeTest, EqualSizeCopiesAndBadSizeRaises) {
  RgbBuffer image(4, 3);
  image.data()[5] = 99;
  const RgbBuffer copy = ResizeImage(image, 4, 3, kDefaultFilterCode);
  EXPECT_TRUE(std::equal(copy.data(), copy.data() + copy.size(), image.data()));
  try {
    ResizeImage(image, 0, 3, kDefaultFilterCode);
    FAIL();
  } catch (const ImageError& e) {
    EXPECT_EQ(e.number(), 1001);
    EXPECT_EQ(e.source(), "ResizeImage");
  }
  EXPECT_EQ(ShrinkModeForFilter(-2), kResizeModeLinear2x2);
  EXPECT_EQ(ShrinkModeForFilter(-1), kResizeModeLinear4x4);
  EXPECT_EQ(ShrinkModeForFilter(8), 8);
  EXPECT_EQ(ShrinkModeForFilter(99), kResizeModeLinear2x2);
}

TEST(ResizeTest, AverageColourIsTheMean) {
  RgbBuffer image(2, 1);
  image.data()[0] = 255;  // red, black
  EXPECT_EQ(AverageColour(image), (Rgb{128, 0, 0}));
}

TEST(ResizeTest, DefaultFilterAgreesWithImageMagick) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  const std::filesystem::path photo = test::MakePhoto(dir.path(), 1200, 900);
  const RgbBuffer source = test::MagickDecode(photo);
  for (const auto& [w, h] : {std::pair{400, 300}, std::pair{1000, 750}, std::pair{160, 120}}) {
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    ASSERT_TRUE(test::Magick("'" + photo.string() + "' -resize " + size + "! '" + (dir / "im.ppm").string() + "'"));
    const double psnr = test::Psnr(ResizeImage(source, w, h, kDefaultFilterCode), test::MagickDecode(dir / "im.ppm"));
    EXPECT_GE(psnr, 35.0) << size;
    // Lanczos, ImageMagick's own choice, agrees even more closely.
    EXPECT_GE(test::Psnr(ResizeImage(source, w, h, 8), test::MagickDecode(dir / "im.ppm")), 38.0) << size;
  }
}

}  // namespace
}  // namespace velmora::image
