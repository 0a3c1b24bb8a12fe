// Where a stamp lands on an image: a cell of the 3 x 3 grid (1 top left,
// 2 top centre, 3 top right, 4-6 the middle row, 7-9 the bottom row) moved
// by the stamp's offsets. The offsets are added in every cell, so a positive
// offset moves a stamp of the right column or the bottom row outwards and a
// negative one moves it inwards.
#pragma once

namespace velmora::image {

struct StampPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const StampPoint&, const StampPoint&) = default;
};

// The top-left corner of a `width` x `height` stamp on an image of
// `image_width` x `image_height`. Positions outside 1-9 count as the
// nearest cell number; centred cells round halves to even.
StampPoint PlaceStamp(int position, int image_width, int image_height, int width, int height, int offset_x,
                      int offset_y);

}  // namespace velmora::image
