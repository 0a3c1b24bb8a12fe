// Rotate: L1 turn code: 0 a quarter turn clockwise, 1 a half turn, 2 a quarter
// turn counter-clockwise; other codes leave the picture as it is. Quarter turns
// swap width and height.
#include <algorithm>
#include <utility>

#include "image/effects/effect_routine.h"

namespace velmora::image {
namespace {

// Moves pixels in square tiles so that reads and writes both stay in cache.
template <class Target>
RgbBuffer Turned(const RgbBuffer& image, int new_width, int new_height, Target target) {
  constexpr int kTile = 64;
  RgbBuffer out = RgbBuffer::Uninitialized(new_width, new_height);
  for (int ty = 0; ty < image.height(); ty += kTile) {
    for (int tx = 0; tx < image.width(); tx += kTile) {
      const int y_end = std::min(ty + kTile, image.height());
      const int x_end = std::min(tx + kTile, image.width());
      for (int y = ty; y < y_end; ++y) {
        const std::uint8_t* p = image.pixel(tx, y);
        for (int x = tx; x < x_end; ++x, p += 3) {
          const auto [nx, ny] = target(x, y);
          std::uint8_t* q = out.pixel(nx, ny);
          q[0] = p[0];
          q[1] = p[1];
          q[2] = p[2];
        }
      }
    }
  }
  return out;
}

}  // namespace

EffectResult ApplyRotate(RgbBuffer& image, const CBildEffekt& effect) {
  const int w = image.width();
  const int h = image.height();
  switch (effect.LongArray(1)) {
    case 0:
      image = Turned(image, h, w, [h](int x, int y) { return std::pair{h - 1 - y, x}; });
      return {.quarter_turned = true};
    case 1:
      image = Turned(image, w, h, [w, h](int x, int y) { return std::pair{w - 1 - x, h - 1 - y}; });
      return {};
    case 2:
      image = Turned(image, h, w, [w](int x, int y) { return std::pair{y, w - 1 - x}; });
      return {.quarter_turned = true};
    default:
      return {};
  }
}

}  // namespace velmora::image
