// A TIFF block (header, directories and values) parsed into a photo's
// metadata, for the containers that carry one.
#pragma once

#include <cstdint>
#include <span>

#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// As the public ParseTiffBlock; the "Offset:" texts of undecoded values
// count the block's first byte as `position_origin` (11 in a JPEG APP1
// segment counted from its marker, 1 in a file).
void ParseTiffBlock(PhotoMetadata& metadata, std::span<const std::uint8_t> tiff, std::uint64_t position_origin);

// The bytes in front of the TIFF block in an EXIF APP1 segment ("Exif\0\0").
inline constexpr std::size_t kExifHeaderSize = 6;
// Where the TIFF block starts when an APP1 segment is counted 1-based from
// its marker (two marker bytes, two length bytes, "Exif\0\0").
inline constexpr std::uint64_t kExifSegmentTiffPosition = 11;

}  // namespace velmora::metadata
