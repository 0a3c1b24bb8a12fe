// The metadata a clone carries when its writer is not JPEG's: the EXIF
// block, the XMP packet and the ICC profile, taken from the JPEG marker
// segments the source was read with. WebP and AVIF keep each as one item.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/codecs/image_metadata.h"

namespace velmora::image {

struct CarriedBlocks {
  std::vector<std::uint8_t> exif;  // from the TIFF header on
  std::string xmp;
  std::vector<std::uint8_t> icc;   // an RGB profile only: our pixels are RGB

  bool empty() const { return exif.empty() && xmp.empty() && icc.empty(); }
};

// Nothing for a null pointer. An ICC profile split over several segments
// is joined in the order of its sequence numbers, and dropped when one is
// missing: half a profile would make viewers show wrong colours.
CarriedBlocks CarriedBlocksOf(const ImageMetadata* metadata);

}  // namespace velmora::image
