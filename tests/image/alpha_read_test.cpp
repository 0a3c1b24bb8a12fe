// Reading a picture with its transparency: ImageMagick writes a few pixels of
// known colour and opacity in each format that carries alpha, and the read
// must hand back both, while the normal read still lays them over white.
#include <gtest/gtest.h>

#include <cstdlib>

#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

struct Pixel {
  std::uint8_t r, g, b, a;
};

// Opaque, half, quarter and fully transparent pixels in different colours.
constexpr Pixel kPixels[] = {{200, 30, 40, 255}, {10, 220, 30, 128}, {40, 50, 230, 64},  {90, 90, 90, 0},
                             {255, 255, 0, 255}, {0, 0, 0, 128},     {250, 128, 10, 192}, {1, 2, 3, 255}};

class AlphaReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
    std::string raw;
    for (const Pixel& p : kPixels) raw += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b),
                                           static_cast<char>(p.a)};
    velmora::test::WriteFile(dir_ / "in.rgba", raw);
  }
  // ImageMagick's file of the 4 x 2 pixels above.
  std::filesystem::path Fixture(const std::string& name, const std::string& options = "",
                                const std::string& prefix = "") {
    const std::filesystem::path path = dir_ / name;
    EXPECT_TRUE(test::Magick("-size 4x2 -depth 8 rgba:'" + (dir_ / "in.rgba").string() + "' " + options + " " +
                             prefix + "'" + path.string() + "'"));
    return path;
  }
  velmora::test::TempDir dir_;
};

// Colours are compared only where the pixel shows: a fully transparent
// pixel's colour is not stored by every format.
void ExpectPixels(const RgbaImage& image, int colour_tolerance, const std::string& what) {
  ASSERT_EQ(image.rgb.width(), 4) << what;
  ASSERT_EQ(image.rgb.height(), 2) << what;
  ASSERT_TRUE(image.HasAlpha()) << what;
  for (int i = 0; i < 8; ++i) {
    const Pixel& want = kPixels[i];
    EXPECT_EQ(image.alpha[i], want.a) << what << " pixel " << i;
    if (want.a == 0) continue;
    const std::uint8_t* got = image.rgb.pixel(i % 4, i / 4);
    EXPECT_NEAR(got[0], want.r, colour_tolerance) << what << " pixel " << i;
    EXPECT_NEAR(got[1], want.g, colour_tolerance) << what << " pixel " << i;
    EXPECT_NEAR(got[2], want.b, colour_tolerance) << what << " pixel " << i;
  }
}

TEST_F(AlphaReadTest, PngKeepsColoursAndOpacity) {
  ExpectPixels(ReadImageWithAlpha(Fixture("a.png"), kImageTypePng), 0, "8-bit");
  // 16-bit samples are scaled down: both colour and opacity.
  ExpectPixels(ReadImageWithAlpha(Fixture("a16.png", "-depth 16", "PNG64:"), kImageTypePng), 0, "16-bit");
}

TEST_F(AlphaReadTest, TgaKeepsOpacityInTheFilesRowOrder) {
  // Both origins: the opacity must be turned with the colours. ImageMagick
  // stores its rows in order and only notes the origin, so the bottom-up
  // file is made of the flipped picture.
  ExpectPixels(ReadImageWithAlpha(Fixture("a.tga", "-flip"), kImageTypeTga), 0, "bottom-up");
  ExpectPixels(ReadImageWithAlpha(Fixture("top.tga", "-orient TopLeft"), kImageTypeTga), 0, "top-down");
}

TEST_F(AlphaReadTest, TiffColoursComeBackUnmultiplied) {
  // libtiff multiplies colours by their opacity; undoing it on 8 bits
  // loses a little where the opacity is low.
  ExpectPixels(ReadImageWithAlpha(Fixture("a.tif", "-compress lzw"), kImageTypeTif), 4, "tiff");
}

TEST_F(AlphaReadTest, GifTransparentIndexBecomesZeroOpacity) {
  // GIF knows only see-through or not: ImageMagick makes every pixel that
  // is not opaque the transparent index.
  const std::filesystem::path path = dir_ / "a.gif";
  ASSERT_TRUE(test::Magick("-size 2x1 xc:'#c81e28' -fill none -draw 'color 1,0 point' '" + path.string() + "'"));
  const RgbaImage image = ReadImageWithAlpha(path, kImageTypeGif);
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(image.alpha[0], 255);
  EXPECT_EQ(image.alpha[1], 0);
  EXPECT_EQ(image.rgb.pixel(0, 0)[0], 0xc8);
}

TEST_F(AlphaReadTest, TypeZeroGuessesAndKeepsAlpha) {
  ExpectPixels(ReadImageWithAlpha(Fixture("guess.png"), kImageTypeUnknown), 0, "guessed");
}

TEST_F(AlphaReadTest, OpaquePicturesComeWithoutAPlane) {
  EXPECT_FALSE(ReadImageWithAlpha(Fixture("opaque.png", "-alpha off"), kImageTypePng).HasAlpha());
  // An alpha channel that is 255 everywhere is no transparency either.
  EXPECT_FALSE(ReadImageWithAlpha(Fixture("full.png", "-alpha set -channel A -evaluate set 100% +channel"),
                                  kImageTypePng)
                   .HasAlpha());
  EXPECT_FALSE(ReadImageWithAlpha(Fixture("a.jpg"), kImageTypeJpg).HasAlpha());
  const RgbaImage bmp = ReadImageWithAlpha(Fixture("a.bmp", "-alpha off"), kImageTypeBmp);
  EXPECT_FALSE(bmp.HasAlpha());
  EXPECT_EQ(bmp.rgb.width(), 4);
}

TEST_F(AlphaReadTest, TheNormalReadStillLaysTransparencyOverWhite) {
  for (const auto& [name, type] : {std::pair{"w.png", kImageTypePng}, std::pair{"w.tga", kImageTypeTga}}) {
    const RgbBuffer flat = ReadImage(Fixture(name, "-orient TopLeft"), type);
    // Pixel 3 is fully transparent: white. Pixel 1 is half green over white.
    EXPECT_EQ(flat.pixel(3, 0)[0], 255) << name;
    EXPECT_EQ(flat.pixel(3, 0)[2], 255) << name;
    EXPECT_NEAR(flat.pixel(1, 0)[0], (10 * 128 + 255 * 127) / 255, 1) << name;
  }
}

TEST_F(AlphaReadTest, BrokenFilesRaiseTheReadError) {
  const std::filesystem::path path = Fixture("cut.png");
  std::string bytes = velmora::test::ReadFile(path);
  velmora::test::WriteFile(path, bytes.substr(0, bytes.size() / 2));
  try {
    ReadImageWithAlpha(path, kImageTypePng);
    FAIL() << "no error";
  } catch (const ImageError& e) {
    EXPECT_EQ(e.source(), "ReadImage");
    EXPECT_EQ(e.description(), "IS_ReadXXX");
  }
  EXPECT_THROW(ReadImageWithAlpha(dir_ / "missing.png", kImageTypePng), ImageError);
}

}  // namespace
}  // namespace velmora::image
