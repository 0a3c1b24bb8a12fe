// Where a stamp's box (a text block or a stamp picture) lands on a clone: a
// cell of a 3 x 3 grid (1 top left, 2 top centre, 3 top right, 4-6 the
// middle row, 7-9 the bottom row) moved by signed offsets. Shared by the
// text and the image stamp, so both put a box in the same place.
#pragma once

#include <cstdint>

namespace velmora::image {

// The grid column and row of a cell, each 0 (left, top), 1 (centre,
// middle) or 2 (right, bottom).
struct GridCell {
  int column = 0;
  int row = 0;
};

// Cells outside 1-9 (a damaged or hand-edited profile) count as cell 1, the
// cell a new stamp starts in.
GridCell GridCellOf(std::int64_t position);

struct StampPlacement {
  std::int64_t image_width = 0;
  std::int64_t image_height = 0;
  std::int64_t box_width = 0;
  std::int64_t box_height = 0;
  std::int64_t position = 1;  // grid cell 1-9
  std::int64_t offset_x = 0;
  std::int64_t offset_y = 0;
};

struct BoxOrigin {
  int x = 0;
  int y = 0;
  friend bool operator==(const BoxOrigin&, const BoxOrigin&) = default;
};

// The top-left corner of the box. The offsets are added in every cell, so a
// positive offset moves a box in the right column or the bottom row outwards,
// past the edge, and a negative one inwards. A centred box whose free space
// is odd sits at the half pixel rounded to even. The box may lie partly or
// wholly outside the image; drawing clips it. Offsets of any size give a
// result within the int range.
BoxOrigin PlaceStampBox(const StampPlacement& placement);

}  // namespace velmora::image
