#include "metadata/exif_patch.h"

#include <algorithm>
#include <string_view>

#include "metadata/byte_reader.h"
#include "metadata/photo_metadata.h"
#include "metadata/tiff_block.h"

namespace velmora::metadata {
namespace {

constexpr std::uint16_t kImageWidthTag = 256;
constexpr std::uint16_t kImageLengthTag = 257;
constexpr std::uint16_t kOrientationTag = 274;
constexpr std::uint16_t kPixelXDimensionTag = 40962;
constexpr std::uint16_t kPixelYDimensionTag = 40963;
constexpr std::string_view kExifName{"Exif\0", 5};

// Overwrites the first component of a SHORT or LONG value where it stands;
// a value of another type, or one its type cannot hold, stays as it is. The
// walk sets a value's offset only when all of the value lies in the block.
void Overwrite(std::span<std::uint8_t> tiff, ByteOrder order, const RLExif& entry, std::uint32_t value) {
  const bool is_short = entry.type == TiffType::kShort;
  if ((!is_short && entry.type != TiffType::kLong) || entry.count == 0 || entry.value_offset == 0) return;
  if (is_short && value > 0xFFFF) return;
  const std::size_t size = is_short ? 2 : 4;
  std::uint8_t* at = tiff.data() + entry.value_offset;
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t shift = 8 * (order == ByteOrder::kBig ? size - 1 - i : i);
    at[i] = static_cast<std::uint8_t>(value >> shift);
  }
}

}  // namespace

std::vector<std::uint8_t> PatchExifForClone(std::span<const std::uint8_t> app1, int width, int height,
                                            bool reset_orientation) {
  std::vector<std::uint8_t> patched(app1.begin(), app1.end());
  const std::string_view name(reinterpret_cast<const char*>(app1.data()), std::min(app1.size(), kExifName.size()));
  if (name != kExifName || app1.size() < kExifHeaderSize + 8 || width <= 0 || height <= 0) return patched;
  try {
    // The reader's walk finds every value where it stands; the main
    // section holds IFD0 and the EXIF directory, not the thumbnail's.
    PhotoMetadata metadata;
    ParseTiffBlock(metadata, app1.subspan(kExifHeaderSize), kExifSegmentTiffPosition);
    const std::span<std::uint8_t> tiff = std::span<std::uint8_t>(patched).subspan(kExifHeaderSize);
    const ByteOrder order = ByteOrderOf(tiff[0], tiff[1]);
    for (const RLExif& entry : metadata.Section(ExifSection::kMain)) {
      switch (entry.tag) {
        case kImageWidthTag:
        case kPixelXDimensionTag: Overwrite(tiff, order, entry, static_cast<std::uint32_t>(width)); break;
        case kImageLengthTag:
        case kPixelYDimensionTag: Overwrite(tiff, order, entry, static_cast<std::uint32_t>(height)); break;
        case kOrientationTag:
          if (reset_orientation) Overwrite(tiff, order, entry, 1);
          break;
        default: break;
      }
    }
  } catch (...) {
    return std::vector<std::uint8_t>(app1.begin(), app1.end());
  }
  return patched;
}

}  // namespace velmora::metadata
