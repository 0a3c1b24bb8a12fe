// Resizing RGB buffers: separable resampling, rows first down the columns,
// then along the rows, with weights computed once per output row and column.
#pragma once

#include "image/rgb_buffer.h"

namespace velmora::image {

// Resamples with a resize mode 0..16 (resample_filter.h). Sizes must be positive.
RgbBuffer ResampleImage(const RgbBuffer& source, int width, int height, int mode);

// The pipeline's resize: equal sizes copy the bytes, a target narrower and
// lower than the source uses the filter code's shrink mode, anything that
// grows uses the enlarging mode. Raises ImageError with source "ResizeImage".
RgbBuffer ResizeImage(const RgbBuffer& source, int width, int height, int filter_code);

// The mean colour of all pixels (white for an empty buffer).
Rgb AverageColour(const RgbBuffer& image);
// The mean colour of the pixels from column `left` and row `top` (included)
// to `right` and `bottom` (excluded), which the caller keeps inside the
// image; white when that holds no pixel.
Rgb AverageColour(const RgbBuffer& image, int left, int top, int right, int bottom);

}  // namespace velmora::image
