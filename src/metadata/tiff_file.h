// The metadata of a TIFF file, camera RAW files built on TIFF (DNG, NEF,
// CR2, PEF, ...) included: the file itself is the TIFF block, and its
// first directory may carry IPTC records and an XMP packet in tags of
// their own.
#pragma once

#include <cstdint>
#include <span>

#include "metadata/photo_metadata.h"

namespace velmora::metadata {

void ReadTiffMetadata(std::span<const std::uint8_t> file, PhotoMetadata& metadata);

}  // namespace velmora::metadata
