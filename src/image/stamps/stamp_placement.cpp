// The 3 x 3 placement of stamp boxes.
#include "image/stamps/stamp_placement.h"

#include <algorithm>
#include <limits>

namespace velmora::image {
namespace {

// Half of `twice`, rounded to the nearest integer with halves to even; exact
// in integers, so no size is off by one through floating point.
std::int64_t HalfRoundedToEven(std::int64_t twice) {
  std::int64_t half = twice / 2;
  const std::int64_t rest = twice % 2;  // -1, 0 or 1
  if (rest != 0 && half % 2 != 0) half += rest;
  return half;
}

// Left or top: the offset; centre: half the free space plus the offset;
// right or bottom: all the free space plus the offset.
std::int64_t Along(int slot, std::int64_t image_extent, std::int64_t box_extent, std::int64_t offset) {
  const std::int64_t free_space = image_extent - box_extent;
  switch (slot) {
    case 0: return offset;
    case 1: return HalfRoundedToEven(free_space + 2 * offset);
    default: return free_space + offset;
  }
}

int ClampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Profiles are hostile input: keep every term far from the 64-bit limits.
std::int64_t Bounded(std::int64_t v) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;
  return std::clamp(v, -kLimit, kLimit);
}

}  // namespace

GridCell GridCellOf(std::int64_t position) {
  if (position < 1 || position > 9) position = 1;
  const int index = static_cast<int>(position) - 1;
  return {index % 3, index / 3};
}

BoxOrigin PlaceStampBox(const StampPlacement& p) {
  const GridCell cell = GridCellOf(p.position);
  return {ClampToInt(Along(cell.column, Bounded(p.image_width), Bounded(p.box_width), Bounded(p.offset_x))),
          ClampToInt(Along(cell.row, Bounded(p.image_height), Bounded(p.box_height), Bounded(p.offset_y)))};
}

}  // namespace velmora::image
