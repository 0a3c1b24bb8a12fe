// A picture with its transparency, for what is laid onto a clone (a stamp
// picture, a frame picture): the colours as the file holds them and, apart,
// each pixel's opacity. Photos themselves never need it.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image {

struct RgbaImage {
  RgbBuffer rgb;
  // width x height bytes, rows top to bottom, 0 transparent to 255 opaque;
  // empty when every pixel is opaque.
  std::vector<std::uint8_t> alpha;

  bool HasAlpha() const { return !alpha.empty(); }
};

}  // namespace velmora::image
