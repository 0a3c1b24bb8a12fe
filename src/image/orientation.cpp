#include "image/orientation.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace velmora::image {
namespace {

// Where the upright picture's pixel (x, y) lies in the stored buffer: at
// origin + x * step_x + y * step_y bytes. Every orientation is such a walk.
struct Walk {
  std::ptrdiff_t origin;
  std::ptrdiff_t step_x;
  std::ptrdiff_t step_y;
};

Walk WalkFor(int orientation, int width, int height) {
  const std::ptrdiff_t pixel = 3;
  const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(width) * pixel;
  const std::ptrdiff_t last_column = static_cast<std::ptrdiff_t>(width - 1) * pixel;
  const std::ptrdiff_t last_row = static_cast<std::ptrdiff_t>(height - 1) * row;
  switch (orientation) {
    case 2: return {last_column, -pixel, row};
    case 3: return {last_row + last_column, -pixel, -row};
    case 4: return {last_row, pixel, -row};
    case 5: return {0, row, pixel};
    case 6: return {last_row, -row, pixel};
    case 7: return {last_row + last_column, -row, -pixel};
    case 8: return {last_column, row, -pixel};
    default: return {0, pixel, row};
  }
}

}  // namespace

bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

ImageSize UprightSize(ImageSize size, int orientation) {
  return OrientationSwapsSides(orientation) ? ImageSize{size.height, size.width} : size;
}

RgbBuffer TurnUpright(RgbBuffer stored, int orientation) {
  if (orientation < 2 || orientation > 8 || stored.empty()) return stored;
  const ImageSize size = UprightSize({stored.width(), stored.height()}, orientation);
  RgbBuffer upright = RgbBuffer::Uninitialized(size.width, size.height);
  const Walk walk = WalkFor(orientation, stored.width(), stored.height());
  const std::uint8_t* base = stored.data();
  // Tiles keep both the rows written and the columns read in the cache when
  // the walk crosses the stored rows (turns by 90 degrees).
  constexpr int kTile = 64;
  for (int y0 = 0; y0 < size.height; y0 += kTile) {
    const int y1 = std::min(size.height, y0 + kTile);
    for (int x0 = 0; x0 < size.width; x0 += kTile) {
      const int x1 = std::min(size.width, x0 + kTile);
      for (int y = y0; y < y1; ++y) {
        std::uint8_t* out = upright.pixel(x0, y);
        std::ptrdiff_t in = walk.origin + x0 * walk.step_x + y * walk.step_y;
        for (int x = x0; x < x1; ++x, out += 3, in += walk.step_x) std::memcpy(out, base + in, 3);
      }
    }
  }
  return upright;
}

}  // namespace velmora::image
