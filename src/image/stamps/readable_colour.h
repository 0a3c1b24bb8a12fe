// Black or white, whichever reads better on the part of the image under a
// stamp.
#pragma once

#include "image/rgb_buffer.h"
#include "image/text/text_raster.h"

namespace velmora::image {

// The mean colour of the region's pixels inside the image (white when none
// are), rounded per channel.
Rgb RegionAverage(const RgbBuffer& image, PixelRegion region);

// Black when the mean colour's packed value (blue * 65536 + green * 256 +
// red) is above that of a mid grey (127, 127, 127), otherwise white. The
// packed value weighs blue far above the rest: pure blue counts as light.
Rgb ReadableColour(const RgbBuffer& image, PixelRegion region);

}  // namespace velmora::image
