// Borders drawn over the picture's edge, which keep its size: translucent
// bands along chosen sides, or the area outside a centred oval.
#pragma once

#include "image/clone_list/border.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

// One band per side in Position, `Width` wide, `Offset...` away from the
// edges, in the border colour at its opacity. The corners belong to the top
// and bottom bands, so no pixel is blended twice.
void DrawInsideBands(RgbBuffer& image, const CBorder& border);

// Tints everything outside a centred ellipse whose half-axes are half the
// image's width and height (whole pixels) less the border width; nothing when
// either half is not larger than the width. The ellipse's edge is smoothed.
void DrawInsideOval(RgbBuffer& image, const CBorder& border);

}  // namespace velmora::image
