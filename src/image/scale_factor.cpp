#include "image/scale_factor.h"

#include <algorithm>
#include <cmath>

namespace velmora::image {

double ScaleFactor(int width, int height, int target_size, int target_width, int target_height, int side) {
  if (width <= 0 || height <= 0) return 0.0;
  const double w = width, h = height;
  switch (side) {
    case kSideLongest: return width > height ? target_size / w : target_size / h;
    case kSideWidth: return target_width / w;
    case kSideHeight: return target_height / h;
    case kSideFitInside: return std::min(target_width / w, target_height / h);
    default: return 0.0;
  }
}

ImageSize ScaledSize(int width, int height, int target_size, int target_width, int target_height, int side) {
  if (side == kSideKeepSize) return {width, height};
  const double factor = ScaleFactor(width, height, target_size, target_width, target_height, side);
  // nearbyint rounds halves to even in the default rounding mode.
  auto scaled = [&](int side_length) { return std::max(1, static_cast<int>(std::nearbyint(factor * side_length))); };
  return {scaled(width), scaled(height)};
}

}  // namespace velmora::image
