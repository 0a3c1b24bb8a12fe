// Laying colour onto an image: rectangles and coverage masks, blended at an
// opacity and cut to the image, so that a stamp partly outside the picture
// draws only what is inside.
#pragma once

#include "image/rgb_buffer.h"
#include "image/text/text_raster.h"

namespace velmora::image {

// The region with right and bottom exclusive, cut to the image.
PixelRegion ClipToImage(const RgbBuffer& image, PixelRegion region);

// Mixes `colour` into every pixel of the region at `percent` (0-100).
void BlendRegion(RgbBuffer& image, PixelRegion region, Rgb colour, int percent);

// Mixes `colour` into the mask's pixels at coverage * `percent`.
void BlendMask(RgbBuffer& image, const CoverageMask& mask, Rgb colour, int percent);

// The one-pixel outline of the region in `colour`, opaque.
void OutlineRegion(RgbBuffer& image, PixelRegion region, Rgb colour);

}  // namespace velmora::image
