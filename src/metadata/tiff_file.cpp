#include "metadata/tiff_file.h"

#include <string_view>

#include "metadata/iptc_reader.h"
#include "metadata/metadata_reader.h"
#include "metadata/tiff_block.h"
#include "metadata/tiff_value.h"
#include "metadata/xmp_reader.h"

namespace velmora::metadata {
namespace {

constexpr std::uint16_t kIptcTag = 33723;
constexpr std::uint16_t kPhotoshopTag = 34377;

// The bytes of an entry's value in the file, or none when they are unknown.
std::span<const std::uint8_t> ValueBytes(std::span<const std::uint8_t> file, const RLExif& entry) {
  const std::uint64_t size = std::uint64_t{entry.count} * TiffTypeSize(static_cast<std::uint16_t>(entry.type));
  if (entry.value_offset == 0 || entry.value_offset > file.size() || size > file.size() - entry.value_offset) return {};
  return file.subspan(entry.value_offset, static_cast<std::size_t>(size));
}

}  // namespace

void ReadTiffMetadata(std::span<const std::uint8_t> file, PhotoMetadata& metadata) {
  ParseTiffBlock(metadata, file, 1);
  // The IPTC tag holds the records themselves; files without it may keep
  // them in Photoshop's image resources, as a JPEG's APP13 segment does.
  if (const RLExif* iptc = metadata.Find(ExifSection::kMain, kIptcTag)) {
    ParseIptcRecords(metadata, ValueBytes(file, *iptc));
  } else if (const RLExif* resources = metadata.Find(ExifSection::kMain, kPhotoshopTag)) {
    ParsePhotoshopResources(metadata, ValueBytes(file, *resources));
  }
  if (const RLExif* xmp = metadata.Find(ExifSection::kMain, kXmpTiffTag)) {
    const std::span<const std::uint8_t> packet = ValueBytes(file, *xmp);
    ParseXmpPacket(metadata, std::string_view(reinterpret_cast<const char*>(packet.data()), packet.size()));
  }
}

}  // namespace velmora::metadata
