// A clone that keeps its original's EXIF block must agree with its own
// pixels: the block's pixel dimensions become the clone's, and a clone that
// was turned upright says orientation 1, so that no viewer turns it again.
#pragma once

#include <cstdint>
#include <vector>

#include "image/codecs/codec.h"
#include "image/codecs/image_metadata.h"

namespace velmora::image {

// Corrects every EXIF APP1 marker among the markers a clone will be written with.
void CorrectCloneExif(ImageMetadata& metadata, ImageSize clone, bool turned);

// The same on a complete JPEG file in memory, in place: the marker segments
// before the image data are walked with every length checked, and an EXIF
// block is only replaced by one of the same length.
void CorrectCloneExif(std::vector<std::uint8_t>& jpeg, ImageSize clone, bool turned);

}  // namespace velmora::image
