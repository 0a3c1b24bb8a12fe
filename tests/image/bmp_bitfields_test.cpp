// Bit-field bitmaps with channels of any width: every stored value must come
// out at its 8-bit level, worked out here independently of the codec, and
// alpha must be laid over white.
#include <gtest/gtest.h>

#include <array>
#include <bit>

#include "own_codecs_support.h"

namespace velmora::image::test {
namespace {

struct Layout {
  const char* name;
  int bits;                          // 16 or 32
  std::array<std::uint32_t, 4> masks;  // red, green, blue, alpha (0: none)
  bool v5_header;                    // masks inside a 124-byte header, else after a 40-byte one
};

void Put(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t Largest(std::uint32_t mask) { return mask == 0 ? 0 : mask >> std::countr_zero(mask); }

// The stored value of channel `c` at (x, y): each channel walks through its
// whole range, so every level and both ends occur.
std::uint32_t Value(const Layout& layout, int c, int x, int y) {
  const std::uint32_t largest = Largest(layout.masks[c]);
  if (c == 3) return (x + y) % 5 == 0 ? 0 : largest - (x % 2);  // transparent, opaque and between
  return static_cast<std::uint32_t>((x * 97 + y * 31 + c * 1013) % (std::uint64_t{largest} + 1));
}

Bytes Bitmap(const Layout& layout, int width, int height) {
  const std::uint32_t header = layout.v5_header ? 124 : 40 + 4 * 3;
  const std::uint32_t row = (static_cast<std::uint32_t>(width) * layout.bits / 8 + 3) / 4 * 4;
  Bytes b;
  b.push_back('B'), b.push_back('M');
  Put(b, 14 + header + row * height, 4);
  Put(b, 0, 4);
  Put(b, 14 + header, 4);
  Put(b, layout.v5_header ? 124 : 40, 4);
  Put(b, width, 4);
  Put(b, height, 4);
  Put(b, 1, 2);
  Put(b, layout.bits, 2);
  Put(b, 3, 4);  // bit fields
  Put(b, row * height, 4);
  Put(b, 2835, 4), Put(b, 2835, 4), Put(b, 0, 4), Put(b, 0, 4);
  for (int c = 0; c < (layout.v5_header ? 4 : 3); ++c) Put(b, layout.masks[c], 4);
  if (layout.v5_header) b.resize(14 + 124, 0);
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t start = b.size();
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      for (int c = 0; c < 4; ++c) {
        if (layout.masks[c] != 0) pixel |= Value(layout, c, x, y) << std::countr_zero(layout.masks[c]);
      }
      Put(b, pixel, layout.bits / 8);
    }
    b.resize(start + row, 0);
  }
  return b;
}

// Up to 8 bits a value widens by repeating its bits (as for 5-6-5 pixels
// everywhere), beyond that it is rounded to the nearest 8-bit level.
unsigned Level(std::uint32_t value, std::uint32_t largest) {
  const int bits = std::bit_width(largest);
  if (bits > 8) return static_cast<unsigned>((std::uint64_t{value} * 255 + largest / 2) / largest);
  unsigned widened = 0;
  for (int at = 8 - bits; at > -bits; at -= bits) widened |= at >= 0 ? value << at : value >> -at;
  return widened & 0xFF;
}

RgbBuffer Expected(const Layout& layout, int width, int height) {
  auto level = [&](int c, int x, int y) { return Level(Value(layout, c, x, y), Largest(layout.masks[c])); };
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        unsigned v = level(c, x, y);
        if (layout.masks[3] != 0) {
          const unsigned a = level(3, x, y);
          v = (v * a + 255 * (255 - a) + 127) / 255;
        }
        image.pixel(x, y)[c] = static_cast<std::uint8_t>(v);
      }
    }
  }
  return image;
}

TEST(BmpBitfields, EveryMaskWidthGivesItsEightBitLevel) {
  const Layout layouts[] = {
      {"16-bit 3-10-3", 16, {0xE000, 0x1FF8, 0x0007, 0}, false},
      {"32-bit 10-10-10-2", 32, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}, true},
      {"16-bit 2-3-1", 16, {0x0030, 0x000E, 0x0001, 0}, false},
      {"16-bit 5-5-5-1", 16, {0x7C00, 0x03E0, 0x001F, 0x8000}, true},
      {"32-bit 6-17-5-4", 32, {0x0FC00000, 0x003FFFE0, 0x0000001F, 0xF0000000}, true},
      {"32-bit 12-12-8", 32, {0xFFF00000, 0x000FFF00, 0x000000FF, 0}, false},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    const Bytes file = Bitmap(layout, 61, 19);
    const RgbBuffer decoded = Codec(kImageTypeBmp).Decode(file, {});
    ASSERT_TRUE(SameSize(decoded, Expected(layout, 61, 19)));
    EXPECT_EQ(MaxDifference(decoded, Expected(layout, 61, 19)), 0);
  }
}

}  // namespace
}  // namespace velmora::image::test
