// Metafiles holding bitmaps, enhanced (EMF) and older Windows ones (WMF).
// Reading takes the largest bitmap the metafile draws (vector drawing is not
// rendered); writing produces an enhanced metafile that draws the image once
// as a 24-bit bitmap.
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <optional>

#include "image/codecs/byte_reader.h"
#include "image/codecs/dib.h"
#include "image/codecs/metafile_bitmap.h"

namespace velmora::image {
namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrBitBlt = 76;
constexpr std::uint32_t kEmrStretchBlt = 77;
constexpr std::uint32_t kEmrSetDiBitsToDevice = 80;
constexpr std::uint32_t kEmrStretchDiBits = 81;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kDibRgbColours = 0;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kHeaderRecordSize = 108;
constexpr std::uint32_t kStretchDiBitsSize = 80;
constexpr std::uint32_t kEofRecordSize = 20;

// Where a bitmap record keeps its offsets: the BITMAPINFO offset, and the
// colour usage field, both relative to the record.
struct BitmapFields {
  std::size_t offsets;
  std::size_t usage;
};

std::optional<BitmapFields> FieldsOf(std::uint32_t type) {
  switch (type) {
    case kEmrBitBlt:
    case kEmrStretchBlt:
      return BitmapFields{84, 80};
    case kEmrSetDiBitsToDevice:
    case kEmrStretchDiBits:
      return BitmapFields{48, 64};
    default:
      return std::nullopt;
  }
}

std::optional<MetafileBitmap> BitmapOf(std::span<const std::uint8_t> record, BitmapFields fields) {
  ByteReader in(record, fields.usage);
  if (in.U32Le() != kDibRgbColours) return std::nullopt;  // palette-relative colours need the device palette
  in.Seek(fields.offsets);
  const std::uint64_t info_at = in.U32Le(), info_size = in.U32Le(), bits_at = in.U32Le(), bits_size = in.U32Le();
  if (info_size == 0 || bits_size == 0) return std::nullopt;  // a pattern fill without bitmap
  if (info_at + info_size > record.size() || bits_at + bits_size > record.size()) {
    throw CodecError(kCodecBadFormat, "metafile bitmap lies outside its record");
  }
  MetafileBitmap bitmap{record.subspan(info_at, info_size), record.subspan(bits_at, bits_size), {}};
  bitmap.header = ReadDibHeader(bitmap.info);
  return bitmap;
}

std::vector<MetafileBitmap> EnhancedMetafileBitmaps(std::span<const std::uint8_t> file) {
  ByteReader in(file);
  if (in.U32Le() != kEmrHeader) throw CodecError(kCodecBadFormat, "not an enhanced metafile (no header record)");
  in.Seek(40);
  if (in.U32Le() != kEmfSignature) throw CodecError(kCodecBadFormat, "not an enhanced metafile (no \" EMF\" signature)");

  std::vector<MetafileBitmap> bitmaps;
  in.Seek(0);
  while (in.remaining() >= 8) {
    const std::size_t start = in.position();
    const std::uint32_t type = in.U32Le();
    const std::uint32_t size = in.U32Le();
    if (size < 8 || size % 4 != 0) throw CodecError(kCodecBadFormat, "metafile record with size " + std::to_string(size));
    in.Seek(start);
    const auto record = in.Bytes(size);
    if (type == kEmrEof) return bitmaps;
    const auto fields = FieldsOf(type);
    if (!fields) continue;
    if (auto bitmap = BitmapOf(record, *fields)) bitmaps.push_back(*bitmap);
  }
  // Without its end record the file may have lost the bitmap it draws.
  if (bitmaps.empty()) throw CodecError(kCodecTruncated, "metafile ends before its end record");
  return bitmaps;
}

// The bitmap with the most pixels among all records that draw one; older
// Windows metafiles share the type and are read the same way.
MetafileBitmap LargestBitmap(std::span<const std::uint8_t> file) {
  const auto bitmaps = IsWindowsMetafile(file) ? WindowsMetafileBitmaps(file) : EnhancedMetafileBitmaps(file);
  if (bitmaps.empty()) throw CodecError(kCodecNoPicture, "metafile draws vectors only, no bitmap");
  auto pixels = [](const MetafileBitmap& b) { return b.header.width * b.header.height; };
  return *std::max_element(bitmaps.begin(), bitmaps.end(),
                           [&](const auto& a, const auto& b) { return pixels(a) < pixels(b); });
}

}  // namespace

template <>
ImageSize EmfCodec::ReadSize(std::span<const std::uint8_t> file) const {
  const DibHeader h = LargestBitmap(file).header;
  CheckDecodeSize(h.width, h.height, DecodeOptions{.max_pixels = INT64_MAX});
  return {static_cast<int>(h.width), static_cast<int>(h.height)};
}

template <>
RgbBuffer EmfCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  const MetafileBitmap bitmap = LargestBitmap(file);
  return DecodeDib(bitmap.info, bitmap.bits, options);
}

template <>
std::vector<std::uint8_t> EmfCodec::Encode(const RgbBuffer& image, const EncodeOptions&) const {
  const std::uint64_t pixel_bytes = Dib24PixelBytes(image);
  const std::uint64_t bitmap_record = kStretchDiBitsSize + kDibInfoHeaderSize + pixel_bytes;
  const std::uint64_t total = kHeaderRecordSize + bitmap_record + kEofRecordSize;
  if (image.empty() || total > UINT32_MAX) throw CodecError(kCodecFailed, "image size cannot be stored in a metafile");
  const std::uint32_t w = image.width(), h = image.height();
  // The reference device is a 96 dpi screen; the frame is in 0.01 mm.
  constexpr std::uint32_t kDeviceWidth = 1024, kDeviceHeight = 768;
  auto hundredths_mm = [](std::uint32_t pixels) { return static_cast<std::uint32_t>(std::uint64_t{pixels} * 2540 / 96); };

  ByteWriter out;
  out.bytes().reserve(static_cast<std::size_t>(total));
  auto bounds = [&] {
    out.U32Le(0);
    out.U32Le(0);
    out.U32Le(w - 1);
    out.U32Le(h - 1);
  };
  out.U32Le(kEmrHeader);
  out.U32Le(kHeaderRecordSize);
  bounds();
  out.U32Le(0);
  out.U32Le(0);
  out.U32Le(hundredths_mm(w) - 1);
  out.U32Le(hundredths_mm(h) - 1);
  out.U32Le(kEmfSignature);
  out.U32Le(0x10000);  // version
  out.U32Le(static_cast<std::uint32_t>(total));
  out.U32Le(3);  // records
  out.U16Le(1);  // handles: the reserved one
  out.U16Le(0);
  out.U32Le(0);  // no description
  out.U32Le(0);
  out.U32Le(0);  // no palette
  out.U32Le(kDeviceWidth);
  out.U32Le(kDeviceHeight);
  out.U32Le(hundredths_mm(kDeviceWidth) / 100);
  out.U32Le(hundredths_mm(kDeviceHeight) / 100);
  out.U32Le(0);  // no pixel format
  out.U32Le(0);
  out.U32Le(0);  // not OpenGL
  out.U32Le(hundredths_mm(kDeviceWidth) * 10);
  out.U32Le(hundredths_mm(kDeviceHeight) * 10);

  out.U32Le(kEmrStretchDiBits);
  out.U32Le(static_cast<std::uint32_t>(bitmap_record));
  bounds();
  out.U32Le(0);  // destination x, y
  out.U32Le(0);
  out.U32Le(0);  // source x, y, width, height
  out.U32Le(0);
  out.U32Le(w);
  out.U32Le(h);
  out.U32Le(kStretchDiBitsSize);
  out.U32Le(kDibInfoHeaderSize);
  out.U32Le(kStretchDiBitsSize + kDibInfoHeaderSize);
  out.U32Le(static_cast<std::uint32_t>(pixel_bytes));
  out.U32Le(kDibRgbColours);
  out.U32Le(kSrcCopy);
  out.U32Le(w);  // destination width, height
  out.U32Le(h);
  WriteDib24Header(image, out);
  WriteDib24Pixels(image, out);

  out.U32Le(kEmrEof);
  out.U32Le(kEofRecordSize);
  out.U32Le(0);   // no palette entries
  out.U32Le(16);  // where they would start
  out.U32Le(kEofRecordSize);
  return out.Take();
}

}  // namespace velmora::image
