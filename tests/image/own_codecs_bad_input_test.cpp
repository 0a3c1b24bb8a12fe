// Damaged and hostile files: every codec answers with a CodecError, never a
// crash, an out-of-range read or a huge allocation.
#include <gtest/gtest.h>

#include <functional>

#include "own_codecs_support.h"

namespace velmora::image::test {
namespace {

// A Photo CD pack: signature, landscape, flat grey at every base resolution.
Bytes PhotoCdFile() {
  Bytes file(0x30000 + 768 * 512 * 3 / 2, 128);
  const char signature[] = "PCD_IPI";
  std::copy(signature, signature + 7, file.begin() + 0x800);
  file[0xE02] = 0;
  return file;
}

struct Sample {
  const char* name;
  const ImageCodec& codec;
  Bytes file;
  // Turns the file into one that declares a gigantic image.
  std::function<void(Bytes&)> make_huge;
  // Breaks the file's signature or type.
  std::function<void(Bytes&)> break_magic;
};

void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutBe32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
}

std::vector<Sample> Samples() {
  const RgbBuffer image = Pattern(29, 17);
  std::vector<Sample> samples;
  samples.push_back({"BMP", Codec(kImageTypeBmp), Codec(kImageTypeBmp).Encode(image, {}),
                     [](Bytes& b) { PutLe32(b, 18, 100000), PutLe32(b, 22, 100000); }, [](Bytes& b) { b[0] = 'X'; }});
  samples.push_back({"PCX", Codec(kImageTypePcx), Codec(kImageTypePcx).Encode(image, {}),
                     [](Bytes& b) { b[9] = b[11] = 0xF0, b[67] = 0xFF; },
                     [](Bytes& b) { b[0] = 0x0B; }});
  samples.push_back({"TGA", Codec(kImageTypeTga), Codec(kImageTypeTga).Encode(image, {}),
                     [](Bytes& b) { b[12] = b[13] = b[14] = b[15] = 0xFF; }, [](Bytes& b) { b[2] = 7; }});
  samples.push_back({"PSD", Codec(kImageTypePsd), Codec(kImageTypePsd).Encode(image, {}),
                     [](Bytes& b) { PutBe32(b, 14, 100000), PutBe32(b, 18, 100000); }, [](Bytes& b) { b[0] = '9'; }});
  samples.push_back({"EMF", Codec(kImageTypeMetafile), Codec(kImageTypeMetafile).Encode(image, {}),
                     [](Bytes& b) { PutLe32(b, 108 + 80 + 4, 100000), PutLe32(b, 108 + 80 + 8, 100000); },
                     [](Bytes& b) { b[41] = 'X'; }});
  const Bytes bmp = Codec(kImageTypeBmp).Encode(image, {});
  samples.push_back({"WMF", Codec(kImageTypeMetafile), WindowsMetafile(Bytes(bmp.begin() + 14, bmp.end()), 0x0F43, 28),
                     [](Bytes& b) { PutLe32(b, 22 + 18 + 28 + 4, 100000), PutLe32(b, 22 + 18 + 28 + 8, 100000); },
                     [](Bytes& b) { b[0] = 0; }});
  samples.push_back({"PCD", Codec(kImageTypePcd), PhotoCdFile(), nullptr, [](Bytes& b) { b[0x800] = 'X'; }});
  return samples;
}

int ErrorCode(const std::function<void()>& call) {
  try {
    call();
  } catch (const CodecError& error) {
    return error.code();
  }
  return 0;
}

TEST(OwnCodecsBadInput, SamplesAreValid) {
  for (const Sample& s : Samples()) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(ErrorCode([&] { s.codec.Decode(s.file, {}); }), 0);
  }
}

TEST(OwnCodecsBadInput, EmptyFileIsAnError) {
  for (const Sample& s : Samples()) {
    SCOPED_TRACE(s.name);
    EXPECT_NE(ErrorCode([&] { s.codec.Decode({}, {}); }), 0);
    EXPECT_NE(ErrorCode([&] { s.codec.ReadSize({}); }), 0);
  }
}

TEST(OwnCodecsBadInput, TruncatedFileIsAnError) {
  for (const Sample& s : Samples()) {
    for (int eighth = 1; eighth < 8; ++eighth) {
      SCOPED_TRACE(std::string(s.name) + " cut at " + std::to_string(eighth) + "/8");
      const Bytes cut(s.file.begin(), s.file.begin() + s.file.size() * eighth / 8);
      EXPECT_NE(ErrorCode([&] { s.codec.Decode(cut, {}); }), 0);
    }
  }
}

TEST(OwnCodecsBadInput, AbsurdSizeIsRefusedBeforeDecoding) {
  for (const Sample& s : Samples()) {
    SCOPED_TRACE(s.name);
    Bytes file = s.file;
    DecodeOptions options;
    if (s.make_huge) {
      s.make_huge(file);
    } else {
      options.max_pixels = 1000;  // Photo CD sizes are fixed; lower the limit instead
    }
    EXPECT_EQ(ErrorCode([&] { s.codec.Decode(file, options); }), kCodecTooLarge);
  }
}

TEST(OwnCodecsBadInput, WrongSignatureIsNotThisFormat) {
  for (const Sample& s : Samples()) {
    SCOPED_TRACE(s.name);
    Bytes file = s.file;
    s.break_magic(file);
    EXPECT_EQ(ErrorCode([&] { s.codec.Decode(file, {}); }), kCodecBadFormat);
    EXPECT_EQ(ErrorCode([&] { s.codec.ReadSize(file); }), kCodecBadFormat);
  }
}

TEST(OwnCodecsBadInput, TgaColourMapWithOddEntrySizeIsRefused) {
  // Found by fuzzing: an 11-bit colour map entry was read as a 3-byte one.
  const Bytes file = {0x00, 0x01, 0x0B, 0x00, 0x00, 0x05, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00,
                      0x06, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x01, 0xD1, 0x30, 0x60, 0x00, 0x00, 0x02};
  EXPECT_EQ(ErrorCode([&] { Codec(kImageTypeTga).Decode(file, {}); }), kCodecBadFormat);
}

// A 12 x 6 run-length bitmap with two palette colours (index 1 red, 2 green
// in RLE8; in RLE4 the nibbles 1 and 2 alternate), each row one run and an
// end-of-line code, then the end-of-bitmap code.
Bytes RunLengthBitmap(int bits) {
  const int width = 12, height = 6, colours = 3;
  Bytes file = {'B', 'M'};
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(0, 4), put(0, 4), put(14 + 40 + 4 * colours, 4);
  put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(bits, 2), put(bits == 8 ? 1 : 2, 4);
  put(0, 4), put(2835, 4), put(2835, 4), put(colours, 4), put(0, 4);
  put(0x000000, 4), put(0xFF0000, 4), put(0x00FF00, 4);
  for (int y = 0; y < height; ++y) {
    file.push_back(width);
    file.push_back(bits == 8 ? static_cast<std::uint8_t>(1 + y % 2) : 0x12);
    file.push_back(0), file.push_back(0);  // end of line
  }
  file.push_back(0), file.push_back(1);  // end of bitmap
  return file;
}

TEST(OwnCodecsBadInput, RunLengthBitmapCutShortIsReportedAndAnEarlyEndMarkerIsNot) {
  for (const int bits : {4, 8}) {
    SCOPED_TRACE("RLE" + std::to_string(bits));
    const Bytes whole = RunLengthBitmap(bits);
    EXPECT_EQ(ErrorCode([&] { Codec(kImageTypeBmp).Decode(whole, {}); }), 0);
    // Cut after the third row: the rest of the picture is lost.
    const Bytes cut(whole.begin(), whole.end() - 3 * 4 - 2);
    EXPECT_EQ(ErrorCode([&] { Codec(kImageTypeBmp).Decode(cut, {}); }), kCodecTruncated);
    // The end marker right after the third row leaves the rest blank on purpose.
    Bytes ended = cut;
    ended.push_back(0), ended.push_back(1);
    const RgbBuffer image = Codec(kImageTypeBmp).Decode(ended, {});
    EXPECT_EQ(image.pixel(0, 0)[0], 0);  // the top row was never drawn
    EXPECT_EQ(image.pixel(0, 5)[0] + image.pixel(0, 5)[1], 255);  // the bottom row was
    // All rows drawn and no end marker: nothing is missing.
    const Bytes unmarked(whole.begin(), whole.end() - 2);
    EXPECT_EQ(ErrorCode([&] { Codec(kImageTypeBmp).Decode(unmarked, {}); }), 0);
  }
}

TEST(OwnCodecsBadInput, EveryPrefixAndEveryByteFlipIsHandled) {
  // Small files, so every prefix and a damaged version of every byte can be tried.
  const RgbBuffer tiny = Pattern(5, 3);
  const std::pair<const ImageCodec*, Bytes> files[] = {
      {&Codec(kImageTypeBmp), Codec(kImageTypeBmp).Encode(tiny, {})}, {&Codec(kImageTypePcx), Codec(kImageTypePcx).Encode(tiny, {})},
      {&Codec(kImageTypeTga), Codec(kImageTypeTga).Encode(tiny, {})}, {&Codec(kImageTypePsd), Codec(kImageTypePsd).Encode(tiny, {})},
      {&Codec(kImageTypeMetafile), Codec(kImageTypeMetafile).Encode(tiny, {})}};
  for (const auto& [codec, file] : files) {
    for (std::size_t length = 0; length < file.size(); ++length) {
      const Bytes cut(file.begin(), file.begin() + length);
      const int code = ErrorCode([&] { codec->Decode(cut, {}); });
      // A BMP may lack the padding of its last row, so some prefixes decode.
      EXPECT_TRUE(code >= 0 && code <= kCodecTooLarge) << length;
    }
    for (std::size_t at = 0; at < file.size(); ++at) {
      for (std::uint8_t value : {0x00, 0x80, 0xFF}) {
        Bytes damaged = file;
        damaged[at] = value;
        ErrorCode([&] { codec->Decode(damaged, {}); });  // either result is fine; no crash
      }
    }
  }
}

}  // namespace
}  // namespace velmora::image::test
