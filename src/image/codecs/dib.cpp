#include "image/codecs/dib.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "image/codecs/alpha_flatten.h"

namespace velmora::image {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

// One colour channel packed into a 16- or 32-bit pixel, of any width from
// 1 to 32 bits, scaled to 8 bits with its largest value at 255. Narrow
// channels widen by repeating their bits, as every common reader widens 5-5-5
// and 5-6-5 pixels (a 2-bit channel gives 0, 85, 170, 255, a 1-bit alpha is
// opaque or transparent); wider ones are rounded to the nearest level.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    bits = std::bit_width(mask >> shift);  // holes in a mask are legal but absurd
  }
  bool used() const { return mask != 0; }
  std::uint8_t Scale(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    std::uint64_t v = (pixel & mask) >> shift;
    if (bits > 8) {
      const std::uint64_t largest = (std::uint64_t{1} << bits) - 1;
      return static_cast<std::uint8_t>((v * 255 + largest / 2) / largest);
    }
    v <<= 8 - bits;
    for (int filled = bits; filled < 8; filled *= 2) v |= v >> filled;
    return static_cast<std::uint8_t>(v);
  }
};

struct DibLayout {
  DibHeader header;
  std::array<Rgb, 256> palette{};  // indices past the stored palette are black
  std::array<Channel, 4> channels;  // red, green, blue, alpha
  std::uint64_t info_size = 0;
};

DibLayout ReadLayout(std::span<const std::uint8_t> info) {
  DibLayout layout;
  DibHeader& h = layout.header = ReadDibHeader(info);
  const bool core = h.header_size == kCoreHeaderSize;
  std::uint64_t offset = h.header_size;

  std::array<std::uint32_t, 4> masks{};
  if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
    ByteReader in(info);
    int count = 0;
    if (h.header_size >= 52) {  // V3 headers hold three masks, V4 and V5 four
      in.Seek(40);
      count = h.header_size >= 56 ? 4 : 3;
    } else {  // the masks follow a 40-byte header
      in.Seek(offset);
      count = h.compression == kBiAlphaBitfields ? 4 : 3;
      offset += 4 * count;
    }
    for (int c = 0; c < count; ++c) masks[c] = in.U32Le();
  } else if (h.bit_count == 16) {
    masks = {0x7C00, 0x03E0, 0x001F};
  } else if (h.bit_count == 32) {
    masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  for (int c = 0; c < 4; ++c) layout.channels[c] = Channel(masks[c]);

  const int entry_size = core ? 3 : 4;
  std::uint64_t entries = h.colours_used;
  if (h.bit_count <= 8 && (entries == 0 || entries > (1u << h.bit_count))) entries = 1u << h.bit_count;
  entries = std::min<std::uint64_t>(entries, 256);
  const std::uint64_t available = info.size() > offset ? (info.size() - offset) / entry_size : 0;
  for (std::uint64_t i = 0; i < std::min(entries, available); ++i) {
    const auto* p = info.data() + offset + i * entry_size;
    layout.palette[i] = {p[2], p[1], p[0]};
  }
  layout.info_size = offset + entries * entry_size;
  return layout;
}

// Palette indices of a run-length coded bitmap, in file row order. Pixels the
// stream skips on purpose keep index 0; a stream that stops before its end
// marker and before the last row has lost the rest of the picture.
std::vector<std::uint8_t> DecodeRle(const DibHeader& h, std::span<const std::uint8_t> bits) {
  const auto width = static_cast<std::size_t>(h.width);
  const auto height = static_cast<std::size_t>(h.height);
  std::vector<std::uint8_t> indices(width * height, 0);
  const bool four = h.compression == kBiRle4;
  ByteReader in(bits);
  std::size_t x = 0, y = 0;
  auto put = [&](std::uint8_t index) {
    if (x < width && y < height) indices[y * width + x] = index;
    ++x;
  };
  // Every pass consumes at least two bytes, so the loop ends with the data.
  while (in.remaining() >= 2 && y < height) {
    const std::uint8_t count = in.U8();
    const std::uint8_t value = in.U8();
    if (count > 0) {
      for (int i = 0; i < count && x < width; ++i) put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return indices;
    } else if (value == 2) {
      x += in.U8();
      y += in.U8();
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      const auto literal = in.Bytes(bytes + bytes % 2);
      for (int i = 0; i < value && x < width; ++i) {
        put(four ? (i % 2 ? literal[i / 2] & 0x0F : literal[i / 2] >> 4) : literal[i]);
      }
    }
  }
  if (y < height) {
    throw CodecError(kCodecTruncated, "run-length data ends in row " + std::to_string(y + 1) + " of " +
                                          std::to_string(height) + " without an end marker");
  }
  return indices;
}

std::uint64_t RowBytes(std::int64_t width, int bit_count) {
  return (static_cast<std::uint64_t>(width) * bit_count + 31) / 32 * 4;
}

std::uint32_t PackedPixel(const std::uint8_t* src, int bytes) {
  std::uint32_t pixel = src[0] | (src[1] << 8);
  if (bytes == 4) pixel |= (src[2] << 16) | (static_cast<std::uint32_t>(src[3]) << 24);
  return pixel;
}

// Bitmaps with an alpha mask are laid over white like every other format
// with transparency. An alpha channel that is zero throughout is taken as
// unused, as many writers leave it.
void FlattenAlpha(const DibLayout& layout, std::span<const std::uint8_t> bits, std::uint64_t row_bytes,
                  RgbBuffer& image, auto out_row) {
  const Channel& alpha = layout.channels[3];
  const int bytes = layout.header.bit_count / 8;
  const int width = image.width(), height = image.height();
  bool used = false;
  for (int y = 0; y < height && !used; ++y) {
    const std::uint8_t* src = bits.data() + row_bytes * y;
    for (int x = 0; x < width && !used; ++x, src += bytes) used = alpha.Scale(PackedPixel(src, bytes)) != 0;
  }
  if (!used) return;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = bits.data() + row_bytes * y;
    std::uint8_t* dst = image.row(out_row(y));
    for (int x = 0; x < width; ++x, src += bytes, dst += 3) {
      const unsigned a = alpha.Scale(PackedPixel(src, bytes));
      for (int c = 0; c < 3; ++c) dst[c] = FlattenOnWhite8(dst[c], a);
    }
  }
}

void DecodeRow(const DibLayout& layout, const std::uint8_t* src, std::uint8_t* dst) {
  const DibHeader& h = layout.header;
  const auto width = static_cast<std::size_t>(h.width);
  switch (h.bit_count) {
    case 1:
    case 2:
    case 4:
    case 8: {
      const int bits = h.bit_count;
      const int per_byte = 8 / bits;
      const int mask = (1 << bits) - 1;
      for (std::size_t x = 0; x < width; ++x, dst += 3) {
        const int shift = 8 - bits * (1 + static_cast<int>(x % per_byte));
        const Rgb c = layout.palette[(src[x / per_byte] >> shift) & mask];
        dst[0] = c.r, dst[1] = c.g, dst[2] = c.b;
      }
      break;
    }
    case 24:
      for (std::size_t x = 0; x < width; ++x, src += 3, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
      break;
    default: {  // 16 and 32 bits through the channel masks
      const int bytes = h.bit_count / 8;
      for (std::size_t x = 0; x < width; ++x, src += bytes, dst += 3) {
        const std::uint32_t pixel = PackedPixel(src, bytes);
        for (int c = 0; c < 3; ++c) dst[c] = layout.channels[c].Scale(pixel);
      }
    }
  }
}

}  // namespace

DibHeader ReadDibHeader(std::span<const std::uint8_t> info) {
  ByteReader in(info);
  DibHeader h;
  h.header_size = in.U32Le();
  if (h.header_size == kCoreHeaderSize) {
    h.width = in.U16Le();
    h.height = in.I16Le();
    in.Skip(2);
    h.bit_count = in.U16Le();
  } else if (h.header_size >= 16 && h.header_size <= 1024) {
    h.width = in.I32Le();
    h.height = in.I32Le();
    in.Skip(2);
    h.bit_count = in.U16Le();
    if (h.header_size >= 20) h.compression = in.U32Le();
    if (h.header_size >= 36) {
      in.Seek(32);
      h.colours_used = in.U32Le();
    }
  } else {
    throw CodecError(kCodecBadFormat, "unknown bitmap header size " + std::to_string(h.header_size));
  }
  if (h.height < 0) {
    h.top_down = true;
    h.height = -h.height;
  }
  const bool os2_v2 = h.header_size == 16 || h.header_size == 64;
  const int bpp = h.bit_count;
  const bool known_depth = bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
  const std::uint32_t c = h.compression;
  const bool known_compression =
      !(os2_v2 && c >= 3) && (c == kBiRgb || (c == kBiRle8 && bpp == 8) || (c == kBiRle4 && bpp == 4) ||
                              ((c == kBiBitfields || c == kBiAlphaBitfields) && (bpp == 16 || bpp == 32)));
  if (!known_depth || !known_compression) {
    throw CodecError(kCodecUnsupported, "bitmaps of " + std::to_string(bpp) + " bits with compression " +
                                            std::to_string(c) + " are not supported");
  }
  return h;
}

std::uint64_t DibInfoSize(std::span<const std::uint8_t> info) { return ReadLayout(info).info_size; }

RgbBuffer DecodeDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                    const DecodeOptions& options) {
  const DibLayout layout = ReadLayout(info);
  const DibHeader& h = layout.header;
  CheckDecodeSize(h.width, h.height, options);
  const int width = static_cast<int>(h.width), height = static_cast<int>(h.height);
  auto out_row = [&](int file_row) { return h.top_down ? file_row : height - 1 - file_row; };

  if (h.compression == kBiRle8 || h.compression == kBiRle4) {
    const std::vector<std::uint8_t> indices = DecodeRle(h, bits);
    RgbBuffer image = RgbBuffer::Uninitialized(width, height);
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* src = indices.data() + static_cast<std::size_t>(y) * width;
      std::uint8_t* dst = image.row(out_row(y));
      for (int x = 0; x < width; ++x, dst += 3) {
        const Rgb c = layout.palette[src[x]];
        dst[0] = c.r, dst[1] = c.g, dst[2] = c.b;
      }
    }
    return image;
  }

  const std::uint64_t row_bytes = RowBytes(h.width, h.bit_count);
  // The last row need not carry its padding; some writers drop it.
  const std::uint64_t needed = row_bytes * (height - 1) + (static_cast<std::uint64_t>(width) * h.bit_count + 7) / 8;
  if (bits.size() < needed) {
    throw CodecError(kCodecTruncated, "bitmap holds " + std::to_string(bits.size()) + " bytes of pixels, " +
                                          std::to_string(needed) + " needed");
  }
  RgbBuffer image = RgbBuffer::Uninitialized(width, height);
  for (int y = 0; y < height; ++y) DecodeRow(layout, bits.data() + row_bytes * y, image.row(out_row(y)));
  if (layout.channels[3].used()) FlattenAlpha(layout, bits, row_bytes, image, out_row);
  return image;
}

std::uint64_t Dib24PixelBytes(const RgbBuffer& image) {
  return RowBytes(image.width(), 24) * static_cast<std::uint64_t>(image.height());
}

void WriteDib24Header(const RgbBuffer& image, ByteWriter& out) {
  constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi
  out.U32Le(kDibInfoHeaderSize);
  out.U32Le(image.width());
  out.U32Le(image.height());
  out.U16Le(1);
  out.U16Le(24);
  out.U32Le(kBiRgb);
  out.U32Le(static_cast<std::uint32_t>(Dib24PixelBytes(image)));
  out.U32Le(kPixelsPerMetre);
  out.U32Le(kPixelsPerMetre);
  out.U32Le(0);
  out.U32Le(0);
}

void WriteDib24Pixels(const RgbBuffer& image, ByteWriter& out) {
  const std::size_t row_bytes = RowBytes(image.width(), 24);
  std::vector<std::uint8_t>& bytes = out.bytes();
  std::size_t at = bytes.size();
  bytes.resize(at + row_bytes * image.height(), 0);
  for (int y = image.height() - 1; y >= 0; --y, at += row_bytes) {
    const std::uint8_t* src = image.row(y);
    std::uint8_t* dst = bytes.data() + at;
    for (int x = 0; x < image.width(); ++x, src += 3, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
  }
}

}  // namespace velmora::image
