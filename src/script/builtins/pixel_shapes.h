// The shapes scripts draw on the current image: filled rectangles and
// ellipses, with an opacity and an "outside" variant that paints everything
// but the shape (a frame, a vignette), and one-pixel lines. Coordinates are
// pixels from the top left corner, both corners inclusive and in any order;
// whatever lies outside the image is clipped, however far out it reaches.
#pragma once

#include <cstdint>

#include "image/rgb_buffer.h"

namespace velmora::script {

struct PixelBox {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

enum class ShapeKind { kRectangle, kEllipse };

// Paints the shape (or, with `outside`, all of the image outside it) in
// `colour` at `percent` opacity: 100 covers, 0 leaves the pixels as they
// were. `percent` is clamped to 0..100.
void FillShape(image::RgbBuffer& pixels, ShapeKind kind, const PixelBox& box, image::Rgb colour, int percent,
               bool outside);

// A line one pixel wide from corner to corner, both ends included.
void DrawLine(image::RgbBuffer& pixels, const PixelBox& ends, image::Rgb colour);

}  // namespace velmora::script
