// The file operations against ImageMagick: its files decode to the pixels
// it decodes them to, and ours read back in ImageMagick as we wrote them.
#include "image/image_io.h"

#include <gtest/gtest.h>

#include <fstream>

#include "image/codecs/codec_registry.h"
#include "image/quality_search.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

using test::HaveConvert;
using test::Magick;
using test::MagickDecode;

class ImageIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VELMORA_REQUIRE_TOOL(HaveConvert(), "ImageMagick's convert");
    photo_ = test::MakePhoto(dir_.path(), 97, 61);
  }
  std::filesystem::path Fixture(const std::string& name, const std::string& options) {
    const std::filesystem::path path = dir_ / name;
    EXPECT_TRUE(Magick("'" + photo_.string() + "' " + options + " '" + path.string() + "'")) << name;
    return path;
  }
  velmora::test::TempDir dir_;
  std::filesystem::path photo_;
};

struct Variant {
  const char* name;
  int type;
  const char* options;
  const char* prefix;  // ImageMagick's output format prefix, such as "PNG8:"
  int tolerance;  // largest channel difference allowed
};

// The variants photographers meet. Lossless files must match exactly; alpha
// blending may round differently by one; JPEG decoders may differ slightly.
const Variant kVariants[] = {
    {"plain.tif", kImageTypeTif, "-compress none", "", 0},
    {"lzw.tif", kImageTypeTif, "-compress lzw", "", 0},
    {"zip.tif", kImageTypeTif, "-compress zip", "", 0},
    {"jpeg.tif", kImageTypeTif, "-compress jpeg -quality 90", "", 3},
    {"deep.tif", kImageTypeTif, "-depth 16 -compress lzw", "", 0},
    {"grey.tif", kImageTypeTif, "-colorspace gray -compress none", "", 0},
    // ImageMagick rounds 16-bit grey to 8 bits differently from 16-bit colour.
    {"grey16.tif", kImageTypeTif, "-colorspace gray -depth 16 -compress zip", "", 1},
    {"grey16.png", kImageTypePng, "-colorspace gray -depth 16", "", 1},
    {"alpha.tif", kImageTypeTif, "-alpha set -channel A -fx 'i/w' +channel -compress lzw", "", 1},
    // An orientation tag turns nothing: every reader gives the pixels as stored.
    {"mirrored.tif", kImageTypeTif, "-orient TopRight -compress none", "", 0},
    {"upside-down.tif", kImageTypeTif, "-orient BottomRight -compress none", "", 0},
    {"flipped.tif", kImageTypeTif, "-orient BottomLeft -compress lzw", "", 0},
    {"transposed.tif", kImageTypeTif, "-orient LeftTop -compress none", "", 0},
    {"turned-right.tif", kImageTypeTif, "-orient RightTop -compress lzw", "", 0},
    {"transversed.tif", kImageTypeTif, "-orient RightBottom -compress none", "", 0},
    {"turned-left.tif", kImageTypeTif, "-orient LeftBottom -compress zip", "", 0},
    {"interlaced.gif", kImageTypeGif, "-colors 200 -interlace GIF", "", 0},
    {"transparent.gif", kImageTypeGif, "-colors 64 -fill red -draw 'rectangle 5,5,30,20' -transparent red", "", 0},
    {"palette.png", kImageTypePng, "-colors 100", "PNG8:", 0},
    {"grey.png", kImageTypePng, "-colorspace gray", "", 0},
    {"deep.png", kImageTypePng, "-depth 16", "PNG48:", 0},
    {"alpha.png", kImageTypePng, "-alpha set -channel A -fx 'j/h' +channel", "PNG32:", 1},
    {"interlaced.png", kImageTypePng, "-interlace PNG", "", 0},
    {"baseline.jpg", kImageTypeJpg, "-quality 90", "", 2},
    {"progressive.jpg", kImageTypeJpg, "-quality 90 -interlace JPEG", "", 2},
    {"grey.jpg", kImageTypeJpg, "-colorspace gray -quality 90", "", 2},
    {"cmyk.jpg", kImageTypeJpg, "-colorspace cmyk -quality 95", "", 8},
};

TEST_F(ImageIoTest, DecodesEveryVariantAsImageMagickDoes) {
  for (const Variant& v : kVariants) {
    const std::filesystem::path path = dir_ / v.name;
    ASSERT_TRUE(Magick("'" + photo_.string() + "' " + v.options + " '" + v.prefix + path.string() + "'")) << v.name;
    const RgbBuffer expected = MagickDecode(path);
    for (const int type : {v.type, static_cast<int>(kImageTypeUnknown)}) {
      const ImageSize size = GetImageDims(path, type);
      EXPECT_EQ(size.width, 97) << v.name;
      EXPECT_EQ(size.height, 61) << v.name;
      const RgbBuffer ours = ReadImage(path, type);
      EXPECT_LE(test::MaxDifference(ours, expected), v.tolerance) << v.name;
    }
  }
}

TEST_F(ImageIoTest, WhatWeWriteImageMagickReadsBack) {
  const RgbBuffer photo = MagickDecode(photo_);
  struct Out {
    const char* name;
    int type;
    int tiff_compression;
  } outs[] = {{"out.png", kImageTypePng, 0},   {"none.tif", kImageTypeTif, 0}, {"lzw.tif", kImageTypeTif, 5},
              {"zip.tif", kImageTypeTif, 8},   {"pack.tif", kImageTypeTif, 32773}};
  for (const Out& o : outs) {
    ImageWriteOptions options;
    options.tiff_compression = o.tiff_compression;
    EXPECT_EQ(WriteImage(dir_ / o.name, o.type, photo, options), 100);
    EXPECT_EQ(test::MaxDifference(MagickDecode(dir_ / o.name), photo), 0) << o.name;
    EXPECT_EQ(test::MaxDifference(ReadImage(dir_ / o.name, o.type), photo), 0) << o.name;
  }
  ImageWriteOptions jpeg;
  jpeg.quality = 90;
  for (const bool progressive : {false, true}) {
    jpeg.progressive = progressive;
    EXPECT_EQ(WriteImage(dir_ / "out.jpg", kImageTypeJpg, photo, jpeg), 90);
    EXPECT_GT(test::Psnr(MagickDecode(dir_ / "out.jpg"), photo), 30.0);
    EXPECT_LE(test::MaxDifference(MagickDecode(dir_ / "out.jpg"), ReadImage(dir_ / "out.jpg", kImageTypeJpg)), 2);
  }
  jpeg.tiff_compression = 7;
  WriteImage(dir_ / "jpeg.tif", kImageTypeTif, photo, jpeg);
  EXPECT_GT(test::Psnr(MagickDecode(dir_ / "jpeg.tif"), photo), 30.0);
}

TEST_F(ImageIoTest, GifIsQuantisedToAPaletteAndReadsBackExactly) {
  const std::filesystem::path few = Fixture("few.png", "-colors 50");
  const RgbBuffer image = ReadImage(few, kImageTypePng);
  WriteImage(dir_ / "few.gif", kImageTypeGif, image);
  EXPECT_EQ(test::MaxDifference(MagickDecode(dir_ / "few.gif"), image), 0);
  EXPECT_EQ(test::MaxDifference(ReadImage(dir_ / "few.gif", kImageTypeGif), image), 0);
  EXPECT_EQ(test::CommandOutput("identify -format '%[colors]' '" + (dir_ / "few.gif").string() + "'"), "50");
  // A photo with thousands of colours still gives a faithful GIF.
  const RgbBuffer photo = ReadImage(Fixture("photo.png", ""), kImageTypePng);
  WriteImage(dir_ / "photo.gif", kImageTypeGif, photo);
  EXPECT_GT(test::Psnr(MagickDecode(dir_ / "photo.gif"), photo), 28.0);
  EXPECT_EQ(test::CommandOutput("identify -format '%r' '" + (dir_ / "photo.gif").string() + "'").rfind("PseudoClass", 0),
            0u);
}

TEST_F(ImageIoTest, ScaledJpegDecodeStaysAtLeastAsLargeAsAsked) {
  const std::filesystem::path big = dir_ / "big.jpg";
  ASSERT_TRUE(Magick("-size 800x600 gradient:red-blue '" + big.string() + "'"));
  ImageReadOptions options;
  options.min_width = 190;
  options.min_height = 10;
  const RgbBuffer quarter = ReadImage(big, kImageTypeJpg, options);
  EXPECT_EQ(quarter.width(), 200);
  EXPECT_EQ(quarter.height(), 150);
  options.min_width = 801;
  EXPECT_EQ(ReadImage(big, kImageTypeJpg, options).width(), 800);
}

TEST(QualitySearchTest, CoarseStepsThenFives) {
  std::vector<int> tried;
  auto encode = [&](int quality) {
    tried.push_back(quality);
    return std::vector<std::uint8_t>(static_cast<std::size_t>(quality) * 10);
  };
  QualitySearchResult found = QualitySearch(encode, 555, 25);
  EXPECT_EQ(found.quality, 55);
  EXPECT_EQ(tried, (std::vector<int>{100, 80, 60, 40, 55}));
  tried.clear();
  EXPECT_EQ(QualitySearch(encode, 2000, 25).quality, 100);  // met at the first try
  EXPECT_EQ(tried, std::vector<int>{100});
  tried.clear();
  found = QualitySearch(encode, 100, 25);  // never met: the lowest quality anyway
  EXPECT_EQ(found.quality, 25);
  EXPECT_EQ(tried, (std::vector<int>{100, 80, 60, 40, 25}));
  EXPECT_EQ(found.file.size(), 250u);
}

TEST(ImageTypesTest, TableAndGuess) {
  EXPECT_TRUE(CanReadImageType(kImageTypeJpg));
  EXPECT_FALSE(CanReadImageType(kImageTypeJpeg2000));
  EXPECT_FALSE(CanWriteImageType(kImageTypeRaw));
  EXPECT_FALSE(CanWriteImageType(kImageTypePcd));
  EXPECT_EQ(FindImageType(kImageTypeRaw)->default_extensions, "CR2,CRW,DCR,DNG,MRW,NEF,ORF,PEF,RAF,RAW,SRF,SR2");
  EXPECT_EQ(FindImageType(1), nullptr);
  auto guess = [](std::string bytes) {
    bytes.resize(4096, '\0');
    return GuessImageType(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  };
  EXPECT_EQ(guess("\xFF\xD8\xFF\xE0"), kImageTypeJpg);
  EXPECT_EQ(guess("\x89PNG\r\n\x1A\n"), kImageTypePng);
  EXPECT_EQ(guess("GIF89a"), kImageTypeGif);
  EXPECT_EQ(guess(std::string("II*\0", 4)), kImageTypeTif);
  EXPECT_EQ(guess("BM"), kImageTypeBmp);
  EXPECT_EQ(guess("8BPS"), kImageTypeUnknown);  // PSD is never guessed
}

}  // namespace
}  // namespace velmora::image
