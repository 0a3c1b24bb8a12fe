// Black or white, whichever reads better on the part of the image under a
// text stamp.
#pragma once

#include "image/rgb_buffer.h"
#include "image/stamps/compositing.h"

namespace velmora::image {

// Black when the mean colour of the pixels of `rect` inside the image (white
// when there are none) has a packed value (blue * 65536 + green * 256 + red)
// above that of a mid grey (127, 127, 127), otherwise white. The packed value
// weighs blue far above the rest: pure blue counts as light.
Rgb ReadableColour(const RgbBuffer& image, const PixelRect& rect);

}  // namespace velmora::image
