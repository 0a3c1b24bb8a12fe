// Files written by ImageMagick in every variant we read must decode to the
// same pixels as ImageMagick's own reader gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "own_codecs_support.h"
#include "support/required_tool.h"

namespace velmora::image::test {
namespace {

class OwnCodecsRead : public ::testing::Test {
 protected:
  void SetUp() override {
    VELMORA_REQUIRE_TOOL(HaveImageMagick(), "ImageMagick's convert");
    WritePpm(Pattern(37, 23), dir_ / "pattern.ppm");
    WritePpm(FewColours(37, 23, 2), dir_ / "two.ppm");
    WritePpm(FewColours(37, 23, 16), dir_ / "sixteen.ppm");
    WritePpm(FewColours(37, 23, 200), dir_ / "many.ppm");
    // Opaque at the top, transparent at the bottom: alpha must be laid over white.
    Convert(In("pattern.ppm") + " \\( -size 37x23 gradient:white-black \\) -alpha off -compose copy_opacity -composite",
            "png", dir_ / "translucent.png");
  }
  std::string In(const char* name) const { return "'" + (dir_ / name).string() + "'"; }

  // Makes a file with ImageMagick and compares both decodes.
  Bytes ExpectSameAsImageMagick(const ImageCodec& codec, const std::string& arguments, const std::string& format,
                                const std::string& suffix = "", int tolerance = 0) {
    const auto path = dir_ / ("made." + format);
    Bytes file = Convert(arguments, format, path);
    ExpectDecodeMatches(codec, file, path.string() + suffix, tolerance);
    return file;
  }
  void ExpectDecodeMatches(const ImageCodec& codec, const Bytes& file, const std::string& im_path, int tolerance = 0) {
    SCOPED_TRACE(im_path);
    const RgbBuffer ours = codec.Decode(file, {});
    // ImageMagick keeps TGA rows in file order and only notes the origin.
    const RgbBuffer theirs = ImageMagickDecode(im_path, &codec == &Codec(kImageTypeTga) ? "-auto-orient" : "");
    ASSERT_TRUE(SameSize(ours, theirs)) << ours.width() << "x" << ours.height() << " vs " << theirs.width() << "x"
                                        << theirs.height();
    EXPECT_LE(MaxDifference(ours, theirs), tolerance);
    const ImageSize size = codec.ReadSize(file);
    EXPECT_EQ(size.width, ours.width());
    EXPECT_EQ(size.height, ours.height());
  }

  velmora::test::TempDir dir_;
};

// ImageMagick blends alpha at 16 bits, we at 8: one step apart at most.
int AlphaRounding(const std::string& input) { return input == "translucent.png" ? 1 : 0; }

int Le16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

TEST_F(OwnCodecsRead, BmpEveryDepthAndCompressionMatchesImageMagick) {
  struct Variant {
    const char* input;
    const char* options;
    const char* format;
    int bits;
    int compression;
  };
  const Variant variants[] = {
      {"pattern.ppm", "-type truecolor", "bmp3", 24, 0},
      {"pattern.ppm", "-alpha set -define bmp:format=bmp4", "bmp", 32, 3},
      {"pattern.ppm", "-define bmp:subtype=RGB565", "bmp", 16, 3},
      {"translucent.png", "-define bmp:format=bmp4", "bmp", 32, 3},
      {"many.ppm", "-type palette -compress none", "bmp3", 8, 0},
      {"many.ppm", "-type palette -compress RLE", "bmp3", 8, 1},
      {"sixteen.ppm", "-type palette", "bmp3", 4, 0},
      {"two.ppm", "-type palette", "bmp3", 1, 0},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.options);
    const Bytes file =
        ExpectSameAsImageMagick(Codec(kImageTypeBmp), In(v.input) + " " + v.options, v.format, "", AlphaRounding(v.input));
    EXPECT_EQ(Le16(file, 28), v.bits);
    EXPECT_EQ(Le16(file, 30), v.compression);
  }
}

TEST_F(OwnCodecsRead, BmpOs2CoreHeaderMatchesImageMagick) {
  const Bytes file = ExpectSameAsImageMagick(Codec(kImageTypeBmp), In("many.ppm") + " -type palette", "bmp2");
  EXPECT_EQ(Le16(file, 14), 12);
}

TEST_F(OwnCodecsRead, BmpTopDownRowsMatchImageMagick) {
  Bytes file = Convert(In("pattern.ppm") + " -type truecolor", "bmp3", dir_ / "up.bmp");
  // Turn the bottom-up file into a top-down one: negative height, rows reversed.
  const std::size_t offset = Le16(file, 10), row = (37 * 3 + 3) / 4 * 4;
  for (int y = 0; y < 23 / 2; ++y) {
    std::swap_ranges(file.begin() + offset + y * row, file.begin() + offset + (y + 1) * row,
                     file.begin() + offset + (22 - y) * row);
  }
  const std::int32_t height = -23;
  std::memcpy(file.data() + 22, &height, 4);
  WriteBytes(dir_ / "down.bmp", file);
  ExpectDecodeMatches(Codec(kImageTypeBmp), file, (dir_ / "down.bmp").string());
  EXPECT_EQ(MaxDifference(Codec(kImageTypeBmp).Decode(file, {}), Pattern(37, 23)), 0);
}

TEST_F(OwnCodecsRead, PcxOneBitIsBlackOnZeroAndWhiteOnOne) {
  // ImageMagick writes no 1-bit PCX, so the test packs one: odd width, even
  // line length, RLE runs. ImageMagick reads set bits as black, against the
  // ZSoft convention that GraphicsMagick, GIMP and PIL follow, so
  // GraphicsMagick is the independent reader here. The header palette is
  // either empty or holds other colours (maroon and khaki in a classic test
  // picture); neither changes black and white.
  const RgbBuffer two = FewColours(37, 23, 2);
  Bytes file(128, 0);
  file[0] = 0x0A, file[1] = 5, file[2] = 1, file[3] = 1;
  file[8] = 36, file[10] = 22, file[65] = 1, file[66] = 6;
  for (int y = 0; y < 23; ++y) {
    for (int byte = 0; byte < 6; ++byte) {
      int bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = byte * 8 + bit;
        if (x < 37 && two.pixel(x, y)[0] == 255) bits |= 0x80 >> bit;
      }
      file.push_back(0xC1);
      file.push_back(static_cast<std::uint8_t>(bits));
    }
  }
  for (const Bytes& palette : {Bytes(6, 0), Bytes{128, 0, 0, 240, 230, 140}}) {
    std::copy(palette.begin(), palette.end(), file.begin() + 16);
    SCOPED_TRACE(static_cast<int>(palette[0]));
    const RgbBuffer ours = Codec(kImageTypePcx).Decode(file, {});
    EXPECT_EQ(MaxDifference(ours, two), 0);
    if (std::system("gm version >/dev/null 2>&1") != 0) continue;
    WriteBytes(dir_ / "mono.pcx", file);
    WritePpm(ours, dir_ / "ours.ppm");
    const std::string theirs = "gm convert '" + (dir_ / "mono.pcx").string() + "' ppm:'" + (dir_ / "gm.ppm").string() + "'";
    ASSERT_EQ(std::system(theirs.c_str()), 0);
    EXPECT_EQ(ReadBytes(dir_ / "gm.ppm"), ReadBytes(dir_ / "ours.ppm"));
  }
}

TEST_F(OwnCodecsRead, PcxEightAndTwentyFourBitMatchImageMagick) {
  struct Variant {
    const char* input;
    const char* options;
    int bits;
    int planes;
  };
  const Variant variants[] = {
      {"pattern.ppm", "-type truecolor", 8, 3},
      {"many.ppm", "-type palette", 8, 1},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.options);
    const Bytes file = ExpectSameAsImageMagick(Codec(kImageTypePcx), In(v.input) + " " + v.options, "pcx");
    EXPECT_EQ(file[3], v.bits);
    EXPECT_EQ(file[65], v.planes);
  }
}

TEST_F(OwnCodecsRead, TgaPlainRleMappedAndGreyMatchImageMagick) {
  struct Variant {
    const char* input;
    const char* options;
    int type;
  };
  const Variant variants[] = {
      {"pattern.ppm", "-type truecolor -compress none", 2},
      {"pattern.ppm", "-type truecolor -compress RLE", 10},
      {"pattern.ppm", "-alpha set -compress RLE", 10},
      {"translucent.png", "-compress RLE", 10},
      {"many.ppm", "-type palette -compress none", 1},
      {"many.ppm", "-type palette -compress RLE", 9},
      {"pattern.ppm", "-type grayscale -compress none", 3},
      {"pattern.ppm", "-type grayscale -compress RLE", 11},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.options);
    const Bytes file =
        ExpectSameAsImageMagick(Codec(kImageTypeTga), In(v.input) + " " + v.options, "tga", "", AlphaRounding(v.input));
    EXPECT_EQ(file[2], v.type);
  }
}

TEST_F(OwnCodecsRead, TgaTopLeftOriginMatchesImageMagick) {
  Bytes file = Convert(In("pattern.ppm") + " -type truecolor -compress none", "tga", dir_ / "up.tga");
  ASSERT_EQ(file[17] & 0x30, 0);  // ImageMagick writes bottom-up
  const std::size_t offset = 18 + file[0], row = 37 * 3;
  for (int y = 0; y < 23 / 2; ++y) {
    std::swap_ranges(file.begin() + offset + y * row, file.begin() + offset + (y + 1) * row,
                     file.begin() + offset + (22 - y) * row);
  }
  file[17] |= 0x20;
  WriteBytes(dir_ / "down.tga", file);
  ExpectDecodeMatches(Codec(kImageTypeTga), file, (dir_ / "down.tga").string());
  const Bytes original = ReadBytes(dir_ / "up.tga");
  EXPECT_EQ(MaxDifference(Codec(kImageTypeTga).Decode(file, {}), Codec(kImageTypeTga).Decode(original, {})), 0);
}

TEST_F(OwnCodecsRead, PsdFlatAndInEveryModeMatchesImageMagick) {
  const std::pair<const char*, const char*> variants[] = {
      {"pattern.ppm", "-type truecolor"},
      {"pattern.ppm", "-type truecolor -compress none"},
      {"pattern.ppm", "-depth 16"},
      {"pattern.ppm", "-type grayscale"},
  };
  for (const auto& [input, options] : variants) {
    SCOPED_TRACE(options);
    ExpectSameAsImageMagick(Codec(kImageTypePsd), In(input) + " " + options, "psd", "[0]");
  }
}

TEST_F(OwnCodecsRead, PsdTransparencyIsLaidOverWhite) {
  // Opaque at the top, transparent at the bottom. ImageMagick stores the
  // plain colours and marks the first extra channel as the transparency;
  // Photoshop stores colours already laid over white. Either way the
  // picture must come out as ImageMagick shows the PNG it was made from.
  const RgbBuffer expected = ImageMagickDecode((dir_ / "translucent.png").string());
  Bytes plain = Convert(In("translucent.png") + " -compress none", "psd", dir_ / "plain.psd");
  EXPECT_LE(MaxDifference(Codec(kImageTypePsd).Decode(plain, {}), expected), 1);

  // The raw planes follow the compression code at the end of the file: red, green, blue, alpha.
  const std::size_t plane = 37 * 23, start = plain.size() - 4 * plane;
  Bytes matted = plain;
  for (std::size_t i = 0; i < plane; ++i) {
    const unsigned a = plain[start + 3 * plane + i];
    for (int c = 0; c < 3; ++c) {
      std::uint8_t& v = matted[start + c * plane + i];
      v = static_cast<std::uint8_t>((v * a + 255 * (255 - a) + 127) / 255);
    }
  }
  EXPECT_LE(MaxDifference(Codec(kImageTypePsd).Decode(matted, {}), expected), 1);

  for (const char* options : {"-depth 16", "-colorspace gray"}) {
    SCOPED_TRACE(options);
    const Bytes file = Convert(In("translucent.png") + " " + options, "psd", dir_ / "made.psd");
    const RgbBuffer theirs = ImageMagickDecode((dir_ / "translucent.png").string(), options);
    EXPECT_LE(MaxDifference(Codec(kImageTypePsd).Decode(file, {}), theirs), 1);
  }
  // Where the picture is fully transparent, it is white whatever colour is stored there.
  Convert("-size 20x10 xc:none -fill red -draw 'rectangle 0,0 9,9'", "psd", dir_ / "half.psd");
  const RgbBuffer half = Codec(kImageTypePsd).Decode(ReadBytes(dir_ / "half.psd"), {});
  EXPECT_EQ(half.pixel(3, 3)[1], 0);  // red
  for (int c = 0; c < 3; ++c) EXPECT_EQ(half.pixel(15, 3)[c], 255);
}

TEST_F(OwnCodecsRead, PsdSavedSelectionIsNoTransparency) {
  // Photoshop marks transparency with a negative layer count; without it an
  // extra channel is a saved selection and the picture stays as it is.
  Bytes file = Convert("-size 20x10 xc:none -fill red -draw 'rectangle 0,0 9,9'", "psd", dir_ / "half.psd");
  auto be32 = [&](std::size_t at) { return std::size_t{file[at]} << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3]; };
  std::size_t layers = 26 + 4 + be32(26);  // past the colour mode data
  layers += 4 + be32(layers);              // past the image resources
  ASSERT_EQ(file[layers + 8], 0xFF);       // the layer count's high byte: negative
  file[layers + 8] = 0, file[layers + 9] = 1;
  const RgbBuffer decoded = Codec(kImageTypePsd).Decode(file, {});
  EXPECT_EQ(decoded.pixel(15, 3)[0], 0);  // the stored colour, not white
}

TEST_F(OwnCodecsRead, PsdIndexedGivesThePaletteColours) {
  // ImageMagick cannot read back its own indexed PSD, so the source is the
  // reference; its writer puts a neighbouring palette entry into a few
  // composite pixels, hence the tolerance.
  const Bytes file = Convert(In("many.ppm") + " -type palette", "psd", dir_ / "indexed.psd");
  ASSERT_EQ(file[25], 2);  // indexed mode
  EXPECT_LE(MaxDifference(Codec(kImageTypePsd).Decode(file, {}), FewColours(37, 23, 200)), 6);
}

TEST_F(OwnCodecsRead, PsdWithLayersGivesTheFlattenedComposite) {
  const std::string layers =
      In("pattern.ppm") + " \\( -size 20x10 xc:red -repage +3+4 \\) \\( -size 9x15 xc:blue -repage +25+2 \\)";
  // The first image is what ImageMagick stores as the composite; flatten it first.
  const Bytes file =
      ExpectSameAsImageMagick(Codec(kImageTypePsd), "\\( " + layers + " -flatten \\) " + layers, "psd", "[0]");
  EXPECT_GT(file.size(), 26u);
  const RgbBuffer decoded = Codec(kImageTypePsd).Decode(file, {});
  EXPECT_EQ(decoded.pixel(5, 6)[0], 255);  // inside the red layer
  EXPECT_EQ(decoded.pixel(5, 6)[2], 0);
}

TEST_F(OwnCodecsRead, PhotoCdMatchesImageMagickWithinRounding) {
  WritePpm(Pattern(300, 200), dir_ / "wide.ppm");
  WritePpm(Pattern(200, 300), dir_ / "tall.ppm");
  for (const char* input : {"wide.ppm", "tall.ppm"}) {
    SCOPED_TRACE(input);
    // PhotoYCC conversion and chroma interpolation may round differently.
    ExpectSameAsImageMagick(Codec(kImageTypePcd), In(input), "pcd", "", 3);
  }
}

TEST_F(OwnCodecsRead, PhotoCdLowerResolutionsShowTheSamePicture) {
  const Bytes file = Convert("-size 768x512 gradient:red-blue", "pcd", dir_ / "g.pcd");
  const RgbBuffer base = Codec(kImageTypePcd).Decode(file, {});
  for (int resolution = 0; resolution < 2; ++resolution) {
    SCOPED_TRACE(resolution);
    const RgbBuffer small = Codec(kImageTypePcd).Decode(file, {.pcd_resolution = resolution});
    const int factor = resolution == 0 ? 4 : 2;
    ASSERT_EQ(small.width(), 768 / factor);
    ASSERT_EQ(small.height(), 512 / factor);
    for (int y = 1; y < small.height(); y += 7) {
      for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(small.pixel(small.width() / 2, y)[c], base.pixel(base.width() / 2, y * factor)[c], 8);
      }
    }
  }
}

}  // namespace
}  // namespace velmora::image::test
