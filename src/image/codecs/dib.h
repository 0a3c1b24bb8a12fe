// Device-independent bitmaps: the pixel block of a BMP file, and the bitmaps
// that enhanced metafiles draw. Both codecs share this so that every header
// variant and compression is read by one piece of code.
#pragma once

#include <cstdint>
#include <span>

#include "image/codecs/byte_reader.h"
#include "image/codecs/codec.h"

namespace velmora::image {

struct DibHeader {
  std::uint32_t header_size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive; see top_down
  bool top_down = false;
  int bit_count = 0;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
};

// The header at the start of a BITMAPINFO (core, OS/2 2.x, 40-byte and V4/V5
// headers); throws CodecError.
DibHeader ReadDibHeader(std::span<const std::uint8_t> info);

// The size of the header, masks and palette that precede the pixels when a
// writer packs them together.
std::uint64_t DibInfoSize(std::span<const std::uint8_t> info);

// Decodes the pixels in `bits` described by the BITMAPINFO in `info`.
RgbBuffer DecodeDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                    const DecodeOptions& options);

// A 40-byte header for 24-bit bottom-up pixels, followed by those pixels.
constexpr std::uint32_t kDibInfoHeaderSize = 40;
std::uint64_t Dib24PixelBytes(const RgbBuffer& image);
void WriteDib24Header(const RgbBuffer& image, ByteWriter& out);
void WriteDib24Pixels(const RgbBuffer& image, ByteWriter& out);

}  // namespace velmora::image
