// IPTC datasets (record 2, the editorial data: caption, keywords, byline,
// ...) as Photoshop stores them in its image resources and TIFF files in
// their IPTC tag.
#pragma once

#include <cstdint>
#include <span>

#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// Photoshop image resources ("8BIM" blocks): the IPTC records of every
// resource 0x0404, whatever precedes them.
void ParsePhotoshopResources(PhotoMetadata& metadata, std::span<const std::uint8_t> resources);

// A run of IPTC records (0x1C, record, dataset, 16-bit big-endian length,
// data). Datasets of record 2 other than 0 are added; the first record of
// any other kind, or one that runs past the data, ends the run: false then.
bool ParseIptcRecords(PhotoMetadata& metadata, std::span<const std::uint8_t> records);

}  // namespace velmora::metadata
