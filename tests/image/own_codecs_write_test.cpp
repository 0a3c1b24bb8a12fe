// Every file our writers produce must be read back by ImageMagick with the
// same pixels, and metafiles must survive a round trip through our reader.
#include <gtest/gtest.h>

#include "own_codecs_support.h"
#include "support/required_tool.h"

namespace velmora::image::test {
namespace {

TEST(OwnCodecsWrite, ImageMagickReadsOurFilesWithTheSamePixels) {
  VELMORA_REQUIRE_TOOL(HaveImageMagick(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  const std::pair<const ImageCodec*, const char*> writers[] = {
      {&Codec(kImageTypeBmp), "bmp"}, {&Codec(kImageTypePcx), "pcx"}, {&Codec(kImageTypePsd), "psd"}, {&Codec(kImageTypeTga), "tga"}};
  // Odd widths catch row padding; a single column and row catch edge cases.
  for (const auto& [width, height] : {std::pair{37, 23}, std::pair{1, 1}, std::pair{130, 3}, std::pair{2, 40}}) {
    const RgbBuffer image = Pattern(width, height);
    for (const auto& [codec, extension] : writers) {
      SCOPED_TRACE(std::string(extension) + " " + std::to_string(width) + "x" + std::to_string(height));
      const auto path = dir / (std::string("ours.") + extension);
      const Bytes file = codec->Encode(image, {});
      WriteBytes(path, file);
      const RgbBuffer theirs = ImageMagickDecode(path.string(), "-auto-orient");
      ASSERT_TRUE(SameSize(image, theirs));
      EXPECT_EQ(MaxDifference(image, theirs), 0);
      EXPECT_EQ(MaxDifference(image, codec->Decode(file, {})), 0);
    }
  }
}

TEST(OwnCodecsWrite, PsdRowsWithLongRunsAndLiteralsSurvive) {
  // Flat areas, noise and runs of exactly 128 and 129 bytes exercise every PackBits case.
  RgbBuffer image(300, 4);
  for (int x = 0; x < 300; ++x) {
    image.pixel(x, 1)[0] = static_cast<std::uint8_t>(x * 37 % 251);
    image.pixel(x, 2)[1] = x < 128 ? 9 : x < 257 ? 10 : static_cast<std::uint8_t>(x);
    image.pixel(x, 3)[2] = static_cast<std::uint8_t>(x % 3 == 0 ? 0xC0 : 0xFF);
  }
  const Bytes file = Codec(kImageTypePsd).Encode(image, {});
  EXPECT_EQ(MaxDifference(image, Codec(kImageTypePsd).Decode(file, {})), 0);
  const Bytes pcx = Codec(kImageTypePcx).Encode(image, {});
  EXPECT_EQ(MaxDifference(image, Codec(kImageTypePcx).Decode(pcx, {})), 0);
}

TEST(OwnCodecsWrite, MetafileRoundTripKeepsEveryPixel) {
  const RgbBuffer image = Pattern(37, 23);
  const Bytes file = Codec(kImageTypeMetafile).Encode(image, {});
  ASSERT_EQ(file.size() % 4, 0u);
  EXPECT_EQ(file[40], ' ');
  EXPECT_EQ(file[41], 'E');
  const ImageSize size = Codec(kImageTypeMetafile).ReadSize(file);
  EXPECT_EQ(size.width, 37);
  EXPECT_EQ(size.height, 23);
  EXPECT_EQ(MaxDifference(image, Codec(kImageTypeMetafile).Decode(file, {})), 0);
}

TEST(OwnCodecsWrite, MetafileReaderTakesTheLargestBitmapDrawn) {
  const Bytes small = Codec(kImageTypeMetafile).Encode(Pattern(5, 4), {});
  const Bytes large = Codec(kImageTypeMetafile).Encode(Pattern(40, 30), {});
  // Header of the small file, both bitmap records, then the end record.
  constexpr std::size_t kHeader = 108, kEof = 20;
  for (bool large_first : {false, true}) {
    const Bytes& first = large_first ? large : small;
    const Bytes& second = large_first ? small : large;
    Bytes combined(first.begin(), first.end() - kEof);
    combined.insert(combined.end(), second.begin() + kHeader, second.end());
    const RgbBuffer decoded = Codec(kImageTypeMetafile).Decode(combined, {});
    ASSERT_EQ(decoded.width(), 40);
    EXPECT_EQ(MaxDifference(decoded, Pattern(40, 30)), 0);
  }
}

TEST(OwnCodecsWrite, MetafileReaderAlsoReadsWindowsMetafiles) {
  const RgbBuffer image = Pattern(13, 9);
  const Bytes bmp = Codec(kImageTypeBmp).Encode(image, {});
  const Bytes dib(bmp.begin() + 14, bmp.end());
  const std::pair<std::uint16_t, std::size_t> records[] = {{0x0F43, 28}, {0x0B41, 26}, {0x0940, 22}, {0x0D33, 24}};
  for (const auto& [function, offset] : records) {
    SCOPED_TRACE(function);
    const Bytes file = WindowsMetafile(dib, function, offset);
    EXPECT_EQ(GuessImageType(file), kImageTypeMetafile);
    EXPECT_EQ(MaxDifference(image, Codec(kImageTypeMetafile).Decode(file, {})), 0);
  }
}

TEST(OwnCodecsWrite, PhotoCdCannotBeWritten) {
  EXPECT_FALSE(Codec(kImageTypePcd).CanEncode());
  try {
    Codec(kImageTypePcd).Encode(Pattern(4, 4), {});
    FAIL() << "no error";
  } catch (const CodecError& error) {
    EXPECT_EQ(error.code(), kCodecFailed);
  }
}

}  // namespace
}  // namespace velmora::image::test
