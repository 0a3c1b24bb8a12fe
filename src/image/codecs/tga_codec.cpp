// Truevision TGA: colour-mapped, true-colour and grey images, plain or
// run-length coded, any origin; written as uncompressed 24-bit files.
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <array>
#include <vector>

#include "image/codecs/alpha_flatten.h"
#include "image/codecs/byte_reader.h"

namespace velmora::image {
namespace {

enum TgaType { kColourMapped = 1, kTrueColour = 2, kGrey = 3, kRle = 8 };

struct TgaHeader {
  int id_length = 0;
  int colour_map_type = 0;
  int type = 0;
  int map_first = 0;
  int map_length = 0;
  int map_entry_bits = 0;
  int width = 0;
  int height = 0;
  int pixel_bits = 0;
  int descriptor = 0;
};

// TGA has no signature; the header's fields must at least make sense together.
TgaHeader ReadHeader(ByteReader& in) {
  TgaHeader h;
  h.id_length = in.U8();
  h.colour_map_type = in.U8();
  h.type = in.U8();
  h.map_first = in.U16Le();
  h.map_length = in.U16Le();
  h.map_entry_bits = in.U8();
  in.Skip(4);  // origin on screen
  h.width = in.U16Le();
  h.height = in.U16Le();
  h.pixel_bits = in.U8();
  h.descriptor = in.U8();
  const int base = h.type & ~kRle;
  const int bits = h.pixel_bits;
  const bool depth_fits = (base == kColourMapped && (bits == 8 || bits == 16)) ||
                          (base == kTrueColour && (bits == 15 || bits == 16 || bits == 24 || bits == 32)) ||
                          (base == kGrey && (bits == 8 || bits == 16));
  if (h.colour_map_type > 1 || base < kColourMapped || base > kGrey || h.type > (kGrey | kRle) || !depth_fits ||
      (base == kColourMapped && h.colour_map_type != 1)) {
    throw CodecError(kCodecBadFormat, "not a TGA file, or an unknown TGA type " + std::to_string(h.type) + " with " +
                                          std::to_string(bits) + " bits");
  }
  return h;
}

Rgb From16(std::uint32_t v) {
  auto scale = [](std::uint32_t five) { return static_cast<std::uint8_t>((five * 255 + 15) / 31); };
  return {scale((v >> 10) & 31), scale((v >> 5) & 31), scale(v & 31)};
}

// One stored pixel or colour map entry of 2 (5-5-5), 3 or 4 bytes as a colour.
Rgb ColourOf(const std::uint8_t* p, int bytes) {
  return bytes == 2 ? From16(p[0] | (p[1] << 8)) : Rgb{p[2], p[1], p[0]};
}

// Pixels of `bytes` each, `width` x `height`, laid out as the file stores
// them, turned into top-down, left-to-right order by the descriptor's
// origin bits.
void OrientAsStored(std::uint8_t* pixels, int width, int height, int bytes, int descriptor) {
  const std::size_t stride = static_cast<std::size_t>(width) * bytes;
  if (!(descriptor & 0x20)) {  // bottom-up, the TGA default
    std::vector<std::uint8_t> swap(stride);
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
      std::uint8_t* upper = pixels + stride * top;
      std::uint8_t* lower = pixels + stride * bottom;
      std::copy_n(upper, stride, swap.data());
      std::copy_n(lower, stride, upper);
      std::copy_n(swap.data(), stride, lower);
    }
  }
  if (descriptor & 0x10) {  // right to left
    for (int y = 0; y < height; ++y) {
      std::uint8_t* row = pixels + stride * y;
      for (int l = 0, r = width - 1; l < r; ++l, --r) {
        std::swap_ranges(row + l * bytes, row + (l + 1) * bytes, row + r * bytes);
      }
    }
  }
}

}  // namespace

template <>
ImageSize TgaCodec::ReadSize(std::span<const std::uint8_t> file) const {
  ByteReader in(file);
  const TgaHeader h = ReadHeader(in);
  CheckDecodeSize(h.width, h.height, DecodeOptions{.max_pixels = INT64_MAX});
  return {h.width, h.height};
}

template <>
RgbBuffer TgaCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  ByteReader in(file);
  const TgaHeader h = ReadHeader(in);
  CheckDecodeSize(h.width, h.height, options);
  in.Skip(h.id_length);

  std::vector<Rgb> map;
  if (h.colour_map_type == 1) {
    const int bits = h.map_entry_bits;
    if (bits != 15 && bits != 16 && bits != 24 && bits != 32) {
      throw CodecError(kCodecBadFormat, "unknown TGA colour map entry size " + std::to_string(bits));
    }
    const int entry_bytes = (bits + 7) / 8;
    const auto entries = in.Bytes(static_cast<std::uint64_t>(h.map_length) * entry_bytes);
    map.resize(h.map_first + h.map_length);
    for (int i = 0; i < h.map_length; ++i) {
      map[h.map_first + i] = ColourOf(entries.data() + i * entry_bytes, entry_bytes);
    }
  }
  const int base = h.type & ~kRle;
  const int pixel_bytes = (h.pixel_bits + 7) / 8;
  auto colour = [&](const std::uint8_t* p) -> Rgb {
    if (base == kColourMapped) {
      const std::uint32_t index = pixel_bytes == 1 ? p[0] : p[0] | (p[1] << 8);
      return index < map.size() ? map[index] : Rgb{};
    }
    if (base == kGrey) return {p[0], p[0], p[0]};  // a second byte is alpha
    return ColourOf(p, pixel_bytes);
  };

  // 32-bit colour and 16-bit grey carry alpha in their last byte. It is kept
  // aside while decoding and used only when it is not zero throughout, since
  // many writers leave it unset.
  const bool has_alpha = (base == kTrueColour && h.pixel_bits == 32) || (base == kGrey && h.pixel_bits == 16);
  const std::size_t total = static_cast<std::size_t>(h.width) * h.height;
  std::vector<std::uint8_t> alpha(has_alpha ? total : 0);

  const std::uint8_t* plain = h.type & kRle ? nullptr : in.Bytes(total * pixel_bytes).data();
  // A run packet codes at most 128 pixels; shorter data cannot fill the picture.
  if ((h.type & kRle) && in.remaining() / (1 + pixel_bytes) < (total + 127) / 128) {
    throw CodecError(kCodecTruncated, "TGA file ends inside its image data");
  }

  // Pixels come in file order into a buffer laid out like the file; the
  // origin bits then say how file rows and columns map onto the picture.
  RgbBuffer image = RgbBuffer::Uninitialized(h.width, h.height);
  std::size_t done = 0;
  auto put = [&](const std::uint8_t* p, std::size_t count) {
    const Rgb c = colour(p);
    for (std::size_t i = 0; i < count; ++i, ++done) {
      std::uint8_t* out = image.data() + done * 3;
      out[0] = c.r, out[1] = c.g, out[2] = c.b;
      if (has_alpha) alpha[done] = p[pixel_bytes - 1];
    }
  };
  if (h.type & kRle) {
    while (done < total) {
      const std::uint8_t packet = in.U8();
      const std::size_t count = std::min<std::size_t>((packet & 0x7F) + 1, total - done);
      if (packet & 0x80) {
        put(in.Bytes(pixel_bytes).data(), count);
      } else {
        const std::uint8_t* p = in.Bytes(count * pixel_bytes).data();
        for (std::size_t i = 0; i < count; ++i, p += pixel_bytes) put(p, 1);
      }
    }
  } else {
    for (std::size_t i = 0; i < total; ++i, plain += pixel_bytes) put(plain, 1);
  }
  if (options.alpha != nullptr) options.alpha->clear();
  if (std::any_of(alpha.begin(), alpha.end(), [](std::uint8_t a) { return a != 0; })) {
    if (options.alpha != nullptr) {
      OrientAsStored(alpha.data(), h.width, h.height, 1, h.descriptor);
      *options.alpha = std::move(alpha);
    } else {
      std::uint8_t* p = image.data();
      for (std::size_t i = 0; i < total; ++i, p += 3) {
        for (int c = 0; c < 3; ++c) p[c] = FlattenOnWhite8(p[c], alpha[i]);
      }
    }
  }
  OrientAsStored(image.data(), h.width, h.height, 3, h.descriptor);
  return image;
}

template <>
std::vector<std::uint8_t> TgaCodec::Encode(const RgbBuffer& image, const EncodeOptions&) const {
  if (image.empty() || image.width() > 0xFFFF || image.height() > 0xFFFF) {
    throw CodecError(kCodecFailed, "TGA files hold at most 65535 x 65535 pixels");
  }
  ByteWriter out;
  out.bytes().reserve(18 + image.size());
  out.U8(0);
  out.U8(0);
  out.U8(kTrueColour);
  out.Zeros(5);  // no colour map
  out.Zeros(4);  // origin on screen
  out.U16Le(image.width());
  out.U16Le(image.height());
  out.U8(24);
  out.U8(0x20);  // top-down rows: the buffer's own order
  std::vector<std::uint8_t>& bytes = out.bytes();
  std::size_t at = bytes.size();
  bytes.resize(at + image.size());
  const std::uint8_t* src = image.data();
  for (std::size_t i = 0; i < image.size(); i += 3) {
    bytes[at + i] = src[i + 2], bytes[at + i + 1] = src[i + 1], bytes[at + i + 2] = src[i];
  }
  return out.Take();
}

}  // namespace velmora::image
