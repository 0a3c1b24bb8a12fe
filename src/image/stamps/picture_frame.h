// The picture a frame border is made of, prepared once for a run: laid over
// the border colour where it is transparent, then tiled from the canvas's
// top-left corner or stretched over the whole canvas.
#pragma once

#include <vector>

#include "image/rgba_image.h"
#include "image/stamps/outside_border.h"

namespace velmora::image {

class FramePicture {
 public:
  FramePicture(const RgbaImage& picture, Rgb backdrop, bool stretch);

  // Paints the bands of a canvas of that size. A stretched picture is
  // resized once per canvas size (the last two sizes are kept); the painter
  // is valid until the next call. Raises ImageError like ResizeImage.
  BandPainter PainterFor(int canvas_width, int canvas_height);

 private:
  RgbBuffer picture_;
  bool stretch_;
  std::vector<RgbBuffer> stretched_;
};

}  // namespace velmora::image
