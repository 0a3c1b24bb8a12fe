// The eight EXIF orientations: how a picture's stored pixels must be turned
// or mirrored to stand upright. Cameras and phones store a portrait photo as
// the sensor saw it, sideways, and record the turn in this one number.
//
//   1 upright            2 mirrored left-right   3 turned 180 degrees
//   4 mirrored top-down  5 mirrored along the main diagonal
//   6 turned 90 degrees clockwise to stand upright
//   7 mirrored along the other diagonal
//   8 turned 90 degrees anticlockwise to stand upright
#pragma once

#include "image/codecs/codec.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

inline constexpr int kOrientationUpright = 1;

// True for 5 to 8, whose upright picture is the stored one on its side.
bool OrientationSwapsSides(int orientation);

// The size of a picture of `size` after the turn; swapping is its own
// inverse, so the same call gives the stored size of an upright one.
ImageSize UprightSize(ImageSize size, int orientation);

// The stored pixels turned upright. 1 and any value outside 1..8 give the
// buffer back untouched, without a copy.
RgbBuffer TurnUpright(RgbBuffer stored, int orientation);

}  // namespace velmora::image
