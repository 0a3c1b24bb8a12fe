// Mixing an image with a filtered copy of itself: blur intensity, sharpening and
// the unsharp mask all move each sample by a multiple of its difference to the copy.
#pragma once

#include "image/effects/effect_routine.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

// sample += factor * (filtered - sample) for the selected channels, where the
// difference exceeds `threshold` levels (0 = everywhere). A factor between 0 and 1
// mixes towards the copy; a negative factor pushes away from it (sharpening).
void MoveTowards(RgbBuffer& image, const RgbBuffer& filtered, double factor, int threshold, ChannelMask channels);

}  // namespace velmora::image
