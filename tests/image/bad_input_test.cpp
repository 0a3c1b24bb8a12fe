// Broken and hostile files: each gives its error number and failing step,
// nothing crashes and no library prints to the terminal.
#include <gtest/gtest.h>

#include <functional>

#include "image/codecs/codec_registry.h"
#include "image/codecs/jpeg_codec.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;

struct Expected {
  int number;
  const char* source;
  const char* description;
};

void ExpectError(const std::function<void()>& operation, Expected expected, const std::string& what) {
  ::testing::internal::CaptureStderr();
  try {
    operation();
    ADD_FAILURE() << what << ": no error";
  } catch (const ImageError& e) {
    EXPECT_EQ(e.number(), expected.number) << what << ": " << e.what();
    EXPECT_EQ(e.source(), expected.source) << what;
    EXPECT_EQ(e.description(), expected.description) << what;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << what;
}

void PutLittle(std::string& s, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A tiny TIFF whose header claims 100000 x 100000 RGB pixels in one strip.
std::string AbsurdTiff() {
  std::string t(8 + 2 + 8 * 12 + 4 + 16, '\0');
  t.replace(0, 4, std::string("II*\0", 4));
  PutLittle(t, 4, 8, 4);
  PutLittle(t, 8, 8, 2);
  const std::uint32_t entries[8][3] = {{256, 4, 100000}, {257, 4, 100000}, {258, 3, 8},       {259, 3, 1},
                                       {262, 3, 2},      {273, 4, 114},    {277, 3, 3},       {279, 4, 16}};
  for (int i = 0; i < 8; ++i) {
    const std::size_t at = 10 + static_cast<std::size_t>(i) * 12;
    PutLittle(t, at, entries[i][0], 2);
    PutLittle(t, at + 2, entries[i][1], 2);
    PutLittle(t, at + 4, 1, 4);
    PutLittle(t, at + 8, entries[i][2], entries[i][1] == 3 ? 2 : 4);
  }
  return t;
}

TEST(BadInputTest, EachBrokenFileGivesItsErrorAndNoCrash) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  ASSERT_TRUE(test::Magick("-seed 3 -size 300x200 plasma:fractal -quality 90 '" + (dir / "good.jpg").string() + "'"));
  ASSERT_TRUE(test::Magick("-size 60x40 gradient:red-blue '" + (dir / "good.png").string() + "'"));
  const std::string jpeg = velmora::test::ReadFile(dir / "good.jpg");
  velmora::test::WriteFile(dir / "truncated.jpg", jpeg.substr(0, jpeg.size() / 2));
  velmora::test::WriteFile(dir / "empty.jpg", "");
  velmora::test::WriteFile(dir / "text.jpg", "Dies ist kein Bild, nur ein Text.\n");
  std::string png = velmora::test::ReadFile(dir / "good.png");
  const std::size_t idat = png.find("IDAT");
  png[idat + 6] = static_cast<char>(png[idat + 6] ^ 0x55);  // inside the data: the checksum no longer fits
  velmora::test::WriteFile(dir / "badcrc.png", png);
  velmora::test::WriteFile(dir / "absurd.tif", AbsurdTiff());
  // Header, a screen of 10 x 10 without colour table, and the trailer at once.
  velmora::test::WriteFile(dir / "noframes.gif", std::string("GIF89a\x0A\x00\x0A\x00\x00\x00\x00\x3B", 14));
  velmora::test::WriteFile(dir / "photo.jp2", std::string("\0\0\0\x0CjP  \r\n\x87\n", 12));

  ExpectError([&] { ReadImage(dir / "truncated.jpg", kImageTypeJpg); }, {1002, "ReadImage", "IS_ReadXXX"},
              "truncated JPEG");
  ExpectError([&] { GetImageDims(dir / "empty.jpg", kImageTypeJpg); }, {1002, "GetImageDims", "IS_GetXXXDims"},
              "empty file");
  ExpectError([&] { GetImageDims(dir / "text.jpg", kImageTypeJpg); }, {1003, "GetImageDims", "IS_GetXXXDims"},
              "text named .jpg");
  ExpectError([&] { GetImageDims(dir / "text.jpg", kImageTypeUnknown); },
              {1003, "GetImageDims", "IS_GetXXXDims"}, "text with a type to guess");
  ExpectError([&] { ReadImage(dir / "badcrc.png", kImageTypePng); }, {1003, "ReadImage", "IS_ReadXXX"},
              "PNG with a bad checksum");
  ExpectError([&] { ReadImage(dir / "absurd.tif", kImageTypeTif); }, {1005, "ReadImage", "IS_ReadXXX"},
              "TIFF of 10 gigapixels");
  ExpectError([&] { ReadImage(dir / "noframes.gif", kImageTypeGif); }, {1003, "ReadImage", "IS_ReadXXX"},
              "GIF without frames");
  ExpectError([&] { GetImageDims(dir / "photo.jp2", kImageTypeJpeg2000); },
              {1004, "GetImageDims", "IS_GetXXXDims"}, "JPEG 2000");
  ExpectError([&] { ReadImage(dir / "missing.jpg", kImageTypeJpg); }, {1001, "ReadImage", "IS_OpenFileSource"},
              "missing file");
  ExpectError([&] { GetImageDims(dir / "good.jpg", kImageTypeRaw); }, {1003, "GetImageDims", "IS_GetXXXDims"},
              "JPEG passed as RAW");

  ImageReadOptions small_limit;
  small_limit.max_pixels = 1000;
  ExpectError([&] { ReadImage(dir / "good.jpg", kImageTypeJpg, small_limit); }, {1005, "ReadImage", "IS_ReadXXX"},
              "decompression bomb guard");

  const RgbBuffer pixels(8, 8);
  for (const int type : {static_cast<int>(kImageTypePcd), static_cast<int>(kImageTypeRaw),
                         static_cast<int>(kImageTypeJpeg2000), 1, 2, 99}) {
    ExpectError([&] { WriteImage(dir / "out.x", type, pixels); },
                {1001, "WriteImage", "IS_WriteUnsupportedImageType"}, "write type " + std::to_string(type));
  }
  ImageWriteOptions odd_tiff;
  odd_tiff.tiff_compression = 12345;
  ExpectError([&] { WriteImage(dir / "out.tif", kImageTypeTif, pixels, odd_tiff); },
              {1004, "WriteImage", "IS_WriteTIFF"}, "unknown TIFF compression");
  EXPECT_FALSE(fs::exists(dir / "out.tif"));
  EXPECT_FALSE(fs::exists(dir / "out.x"));
}

// libjpeg fills what it cannot decode with grey and calls it a success;
// each of these must be an error of the image instead.
TEST(BadInputTest, DamagedJpegDataIsAnError) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  for (const char* options : {"", "-interlace JPEG"}) {
    SCOPED_TRACE(options);
    ASSERT_TRUE(test::Magick("-seed 3 -size 300x200 plasma:fractal -quality 90 " + std::string(options) + " '" +
                             (dir / "good.jpg").string() + "'"));
    const std::string jpeg = velmora::test::ReadFile(dir / "good.jpg");
    // Cut in half, the end marker put back.
    velmora::test::WriteFile(dir / "repaired.jpg", jpeg.substr(0, jpeg.size() / 2) + "\xFF\xD9");
    ExpectError([&] { ReadImage(dir / "repaired.jpg", kImageTypeJpg); }, {1002, "ReadImage", "IS_ReadXXX"},
                "half a JPEG with its end marker");
  }
  // A restart marker out of sequence in the middle of a file with a restart
  // after every row of blocks: the data between them was lost.
  ASSERT_TRUE(test::Magick("-seed 3 -size 300x200 plasma:fractal -quality 90 '" + (dir / "good.jpg").string() + "'"));
  ASSERT_TRUE(test::Run("jpegtran -restart 1 -outfile '" + (dir / "restarts.jpg").string() + "' '" +
                        (dir / "good.jpg").string() + "'"));
  std::string skipped = velmora::test::ReadFile(dir / "restarts.jpg");
  std::size_t at = skipped.size() / 2;
  auto restart = [&](std::size_t i) { return static_cast<unsigned char>(skipped[i + 1]) - 0xD0u; };
  while (!(skipped[at] == '\xFF' && restart(at) < 8)) ++at;
  skipped[at + 1] = static_cast<char>(0xD0 + (restart(at) + 4) % 8);
  velmora::test::WriteFile(dir / "skipped.jpg", skipped);
  EXPECT_NO_THROW(ReadImage(dir / "restarts.jpg", kImageTypeJpg));
  ExpectError([&] { ReadImage(dir / "skipped.jpg", kImageTypeJpg); }, {1003, "ReadImage", "IS_ReadXXX"},
              "a JPEG with a restart marker out of sequence");
}

// Arithmetic coding codes a flat picture in a handful of bytes; the guard
// against tiny files that claim huge pictures must let it through.
TEST(BadInputTest, FlatArithmeticCodedJpegInAFewBytesIsRead) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  ASSERT_TRUE(test::Magick("-size 4000x4000 xc:white -quality 50 '" + (dir / "flat.jpg").string() + "'"));
  ASSERT_TRUE(test::Run("jpegtran -arithmetic -outfile '" + (dir / "flat-arith.jpg").string() + "' '" +
                        (dir / "flat.jpg").string() + "'"));
  ASSERT_LT(fs::file_size(dir / "flat-arith.jpg"), 4000 * 4000 / 64 / 8u);  // less than a bit per block
  const RgbBuffer flat = ReadImage(dir / "flat-arith.jpg", kImageTypeJpg);
  EXPECT_EQ(flat.width(), 4000);
  EXPECT_EQ(flat.pixel(1234, 3210)[1], 255);
}

TEST(BadInputTest, EveryPrefixOfAJpegFailsCleanly) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  ASSERT_TRUE(test::Magick("-size 40x30 gradient:red-blue -quality 80 '" + (dir / "a.jpg").string() + "'"));
  ASSERT_TRUE(test::Magick("-size 40x30 gradient:red-blue '" + (dir / "a.png").string() + "'"));
  ASSERT_TRUE(test::Magick("-size 40x30 gradient:red-blue -compress lzw '" + (dir / "a.tif").string() + "'"));
  ASSERT_TRUE(test::Magick("-size 40x30 gradient:red-blue '" + (dir / "a.gif").string() + "'"));
  for (const char* name : {"a.jpg", "a.png", "a.tif", "a.gif"}) {
    const std::string file = velmora::test::ReadFile(dir / name);
    for (std::size_t n = 0; n < file.size(); n += 7) {
      const std::span bytes(reinterpret_cast<const std::uint8_t*>(file.data()), n);
      try {
        ReadImage(bytes, kImageTypeUnknown);
      } catch (const ImageError& e) {
        EXPECT_GT(e.number(), 1000);
      }
    }
  }
}

}  // namespace
}  // namespace velmora::image
