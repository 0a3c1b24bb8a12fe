// Windows metafiles (WMF), optionally behind the 22-byte placeable header:
// records of 16-bit words whose bitmap-drawing kinds carry a packed DIB.
#include <optional>

#include "image/codecs/byte_reader.h"
#include "image/codecs/metafile_bitmap.h"

namespace velmora::image {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
constexpr std::uint16_t kMetaEof = 0x0000;
constexpr std::uint16_t kDibBitBlt = 0x0940;
constexpr std::uint16_t kDibStretchBlt = 0x0B41;
constexpr std::uint16_t kSetDibToDev = 0x0D33;
constexpr std::uint16_t kStretchDib = 0x0F43;
constexpr std::uint16_t kDibRgbColours = 0;

std::size_t HeaderStart(std::span<const std::uint8_t> file) {
  ByteReader in(file);
  return in.remaining() >= 4 && in.U32Le() == kPlaceableKey ? kPlaceableSize : 0;
}

bool HeaderFits(std::span<const std::uint8_t> file, std::size_t start) {
  if (file.size() < start + kHeaderSize) return false;
  ByteReader in(file, start);
  const std::uint16_t type = in.U16Le(), words = in.U16Le(), version = in.U16Le();
  return (type == 1 || type == 2) && words == kHeaderSize / 2 && (version == 0x0100 || version == 0x0300);
}

// Where the packed DIB starts in a bitmap record, counted from the record
// start; nullopt for records without a bitmap of their own colours.
std::optional<std::size_t> DibOffset(std::uint16_t function, std::span<const std::uint8_t> record) {
  ByteReader in(record, 6);
  const std::size_t plain_words = 3 + (function >> 8);  // the record's size without a bitmap
  switch (function) {
    case kDibBitBlt:
      return record.size() / 2 == plain_words ? std::nullopt : std::optional<std::size_t>(22);
    case kDibStretchBlt:
      return record.size() / 2 == plain_words ? std::nullopt : std::optional<std::size_t>(26);
    case kSetDibToDev:
      return in.U16Le() == kDibRgbColours ? std::optional<std::size_t>(24) : std::nullopt;
    case kStretchDib:
      in.Skip(4);
      return in.U16Le() == kDibRgbColours ? std::optional<std::size_t>(28) : std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool IsWindowsMetafile(std::span<const std::uint8_t> file) { return HeaderFits(file, HeaderStart(file)); }

std::vector<MetafileBitmap> WindowsMetafileBitmaps(std::span<const std::uint8_t> file) {
  const std::size_t start = HeaderStart(file);
  if (!HeaderFits(file, start)) throw CodecError(kCodecBadFormat, "not a Windows metafile");
  std::vector<MetafileBitmap> bitmaps;
  ByteReader in(file, start + kHeaderSize);
  // Every record is at least three words long, so the walk ends with the file.
  while (in.remaining() >= 6) {
    const std::size_t record_start = in.position();
    const std::uint64_t words = in.U32Le();
    const std::uint16_t function = in.U16Le();
    if (function == kMetaEof) return bitmaps;
    if (words < 3) throw CodecError(kCodecBadFormat, "Windows metafile record of " + std::to_string(words) + " words");
    in.Seek(record_start);
    const auto record = in.Bytes(words * 2);
    const auto offset = DibOffset(function, record);
    if (!offset || *offset >= record.size()) continue;
    const auto dib = record.subspan(*offset);
    const std::uint64_t info_size = DibInfoSize(dib);
    if (info_size >= dib.size()) throw CodecError(kCodecTruncated, "Windows metafile bitmap without pixels");
    bitmaps.push_back({dib.first(static_cast<std::size_t>(info_size)), dib.subspan(static_cast<std::size_t>(info_size)),
                       ReadDibHeader(dib)});
  }
  // Without its end record the file may have lost the bitmap it draws.
  if (bitmaps.empty()) throw CodecError(kCodecTruncated, "Windows metafile ends before its end record");
  return bitmaps;
}

}  // namespace velmora::image
