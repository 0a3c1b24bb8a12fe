// How big a clone or thumbnail becomes: the factor a side code asks for and
// the rounded size (halves to even), never below one pixel.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

enum SideCode : int {
  kSideKeepSize = 0,
  kSideLongest = 1,
  kSideWidth = 2,
  kSideHeight = 3,
  kSideFitInside = 4,
};

double ScaleFactor(int width, int height, int target_size, int target_width, int target_height, int side);

// Side 0 keeps the size; other codes scale by ScaleFactor (unknown codes give 1 x 1).
ImageSize ScaledSize(int width, int height, int target_size, int target_width, int target_height, int side);

}  // namespace velmora::image
