// The 3 x 3 placement of stamps.
#include "image/stamps/stamp_placement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora::image {
namespace {

// One axis: cell 0 at the start, 1 centred, 2 at the end. Computed wide and
// clamped, so that sizes and offsets from a hand-edited profile cannot
// overflow.
int Along(int cell, std::int64_t extent, std::int64_t size, std::int64_t offset) {
  std::int64_t at = offset;
  if (cell == 1) {
    // (extent - size) / 2 + offset, rounded half to even.
    at = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(extent - size) / 2.0 + static_cast<double>(offset)));
  } else if (cell == 2) {
    at = extent - size + offset;
  }
  constexpr std::int64_t kLimit = std::int64_t{1} << 30;
  return static_cast<int>(std::clamp(at, -kLimit, kLimit));
}

}  // namespace

StampPoint PlaceStamp(int position, int image_width, int image_height, int width, int height, int offset_x,
                      int offset_y) {
  const int cell = std::clamp(position, 1, 9) - 1;
  return {Along(cell % 3, image_width, width, offset_x), Along(cell / 3, image_height, height, offset_y)};
}

}  // namespace velmora::image
