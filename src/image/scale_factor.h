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

// How a clone or a thumbnail is sized; clone and thumbnail share it.
struct SizeOptions {
  int side = kSideKeepSize;  // a SideCode
  int longest = 0;           // kSideLongest: the longer side's length
  int width = 0;             // kSideWidth, kSideFitInside
  int height = 0;            // kSideHeight, kSideFitInside
};

double ScaleFactor(int width, int height, int target_size, int target_width, int target_height, int side);

// Side 0 keeps the size; other codes scale by ScaleFactor (unknown codes give 1 x 1).
ImageSize ScaledSize(int width, int height, int target_size, int target_width, int target_height, int side);
inline ImageSize ScaledSize(int width, int height, const SizeOptions& size) {
  return ScaledSize(width, height, size.longest, size.width, size.height, size.side);
}

}  // namespace velmora::image
