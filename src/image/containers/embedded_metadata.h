// The EXIF block and the XMP packet a HEIF, AVIF or WebP file carries, as
// raw bytes for the metadata reader. The EXIF block starts at its TIFF
// header ("II*\0" or "MM\0*"), whatever wrapping the container put before
// it; the XMP packet is the container's UTF-8 XML as stored.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora::image {

struct EmbeddedMetadata {
  std::vector<std::uint8_t> exif;  // empty: none, or none with a TIFF header
  std::string xmp;                 // empty: none

  bool empty() const { return exif.empty() && xmp.empty(); }
};

// The whole file is needed: a HEIF file may keep its items anywhere. Files
// of other types, damaged files and damaged items give what could be found,
// never an exception and never a read outside `file`.
EmbeddedMetadata ReadEmbeddedMetadata(std::span<const std::uint8_t> file);

}  // namespace velmora::image
