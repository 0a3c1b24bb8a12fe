// Windows and OS/2 bitmaps: every header generation, 1 to 32 bits, RLE4/RLE8
// and bit fields; written as 24-bit bottom-up files.
#include "image/codecs/format_codec.h"

#include "image/codecs/byte_reader.h"
#include "image/codecs/dib.h"

namespace velmora::image {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;

std::span<const std::uint8_t> InfoOf(std::span<const std::uint8_t> file) {
  ByteReader in(file);
  if (in.U8() != 'B' || in.U8() != 'M') throw CodecError(kCodecBadFormat, "not a BMP file (no \"BM\" signature)");
  in.Seek(kFileHeaderSize);
  return file.subspan(kFileHeaderSize);
}

}  // namespace

template <>
ImageSize BmpCodec::ReadSize(std::span<const std::uint8_t> file) const {
  const DibHeader h = ReadDibHeader(InfoOf(file));
  CheckDecodeSize(h.width, h.height, DecodeOptions{.max_pixels = INT64_MAX});
  return {static_cast<int>(h.width), static_cast<int>(h.height)};
}

template <>
RgbBuffer BmpCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  const auto info = InfoOf(file);
  ByteReader in(file, 10);
  const std::uint32_t declared = in.U32Le();
  // Writers that got the pixel offset wrong are common; the offset is only
  // believed when it points past the header and palette into the file.
  std::uint64_t offset = kFileHeaderSize + DibInfoSize(info);
  if (declared >= kFileHeaderSize + ReadDibHeader(info).header_size && declared < file.size()) offset = declared;
  if (offset > file.size()) throw CodecError(kCodecTruncated, "BMP file ends before its pixels");
  return DecodeDib(info, file.subspan(static_cast<std::size_t>(offset)), options);
}

template <>
std::vector<std::uint8_t> BmpCodec::Encode(const RgbBuffer& image, const EncodeOptions&) const {
  const std::uint64_t pixel_bytes = Dib24PixelBytes(image);
  const std::uint64_t total = kFileHeaderSize + kDibInfoHeaderSize + pixel_bytes;
  if (image.empty() || total > UINT32_MAX) throw CodecError(kCodecFailed, "image size cannot be stored as BMP");
  ByteWriter out;
  out.bytes().reserve(static_cast<std::size_t>(total));
  out.U8('B');
  out.U8('M');
  out.U32Le(static_cast<std::uint32_t>(total));
  out.U32Le(0);
  out.U32Le(kFileHeaderSize + kDibInfoHeaderSize);
  WriteDib24Header(image, out);
  WriteDib24Pixels(image, out);
  return out.Take();
}

}  // namespace velmora::image
