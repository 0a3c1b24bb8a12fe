// Flip: L1 1 mirrors left and right, 2 top and bottom; other values do nothing.
#include <algorithm>

#include "image/effects/effect_routine.h"

namespace velmora::image {

EffectResult ApplyFlip(RgbBuffer& image, const CBildEffekt& effect) {
  const int w = image.width();
  const int h = image.height();
  if (effect.LongArray(1) == 1) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w / 2; ++x) std::swap_ranges(image.pixel(x, y), image.pixel(x, y) + 3, image.pixel(w - 1 - x, y));
    }
  } else if (effect.LongArray(1) == 2) {
    for (int y = 0; y < h / 2; ++y) std::swap_ranges(image.row(y), image.row(y) + image.stride(), image.row(h - 1 - y));
  }
  return {};
}

}  // namespace velmora::image
